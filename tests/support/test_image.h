// Device images in tests: their bytes as the mouse stores them and the
// library sends them, and one recognisable image.
#ifndef TEST_IMAGE_H
#define TEST_IMAGE_H

#include "flash_data_map.h"

#include <QByteArray>

#include <algorithm>
#include <cstring>
#include <initializer_list>

// Bytes written out as numbers, e.g. Bytes({0x07, 0x21, 0x42}).
inline QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes.append(char(value));
    return bytes;
}

inline QByteArray ImageBytes(const FlashDataMap& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.bytes()), FlashDataMap::Size);
}

// Bytes beyond the end of a short input stay zero.
inline FlashDataMap ImageFromBytes(const QByteArray& bytes)
{
    FlashDataMap image;
    std::memcpy(image.bytes(), bytes.constData(), size_t(std::min(bytes.size(), int(FlashDataMap::Size))));
    return image;
}

// Every byte differs from its neighbours, and from the same byte of the
// image of another seed (0 to 255).
inline FlashDataMap SeededImage(int seed)
{
    FlashDataMap image;
    for (int i = 0; i < FlashDataMap::Size; ++i)
        image.at(std::size_t(i)) = uint8_t((i * 37 + seed) & 0xFF);
    return image;
}

// A seeded image, so a stray write shows, whose macro blocks hold short names
// and no events, so the simulated mouse takes the whole image.
inline FlashDataMap PatternImage()
{
    FlashDataMap image = SeededImage(11);
    for (int button = 0; button < FlashDataMap::ButtonCount; ++button) {
        image.macroBlocks[button][0] = 2;
        image.macroBlocks[button][31] = 0;
    }
    return image;
}

#endif // TEST_IMAGE_H
