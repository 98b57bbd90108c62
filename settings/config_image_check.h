// Whether a device image read from a configuration file holds, in every
// setting the pages show, a value the pages offer for the selected model.
// Only such an image may be sent to the mouse: anything else would be stored
// as it is and leave the pages showing something the mouse does not hold.
#ifndef CONFIG_IMAGE_CHECK_H
#define CONFIG_IMAGE_CHECK_H

#include "flash_data_map.h"
#include "setting_ranges.h"

#include <QString>

namespace ConfigImageCheck {

// The first setting outside what the pages offer, by name ("debounce time",
// "button 3 function", ...); empty when the image fits the model. Stage
// records beyond the stage count, records of buttons the model does not have
// and macro blocks of buttons without a macro are not looked at.
QString FirstFault(const FlashDataMap& image, const SettingRanges::ModelRanges& model);

} // namespace ConfigImageCheck

#endif // CONFIG_IMAGE_CHECK_H
