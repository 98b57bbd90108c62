// How long a flashing may stay silent. Both firmware engines tick once a
// second while a flashing runs and count it as failed once their count of
// upgrade messages has stood still for kSilentFlashTicks ticks in a row.
#ifndef SILENT_FLASH_H
#define SILENT_FLASH_H

constexpr int kSilentFlashTicks = 240;

class SilentFlash {
public:
    // A flashing starts; `messages` is the engine's message count now.
    void Start(int messages)
    {
        m_seen = messages;
        m_ticks = 0;
    }
    // One tick with the engine's message count; true once it has stood
    // still for the limit. A tick that sees a new message counts nothing.
    bool Tick(int messages)
    {
        if (messages != m_seen) {
            Start(messages);
            return false;
        }
        return ++m_ticks >= kSilentFlashTicks;
    }

private:
    int m_seen = 0;
    int m_ticks = 0;
};

#endif // SILENT_FLASH_H
