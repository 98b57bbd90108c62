// Which receiver groups the settings page may show for the selected device,
// and where the page's footer goes for each layout. The catalogue's
// Adveanced list has two items, long-range mode and receiver light; "-1"
// (or a missing item) means the model lacks the feature.
#ifndef SETTING_GROUPS_H
#define SETTING_GROUPS_H

#include <QPoint>
#include <QSize>
#include <QStringList>

namespace SettingGroups {

struct Device {
    QStringList advanced; // Adveanced of the model's catalogue group
    int connectionType = 2;
    bool wired = true;
};

// Item `index` of the list is present and not "-1".
bool HasFeature(const QStringList& advanced, int index);
// Types 0, 1, 4, 5 (1K, 4K, 2K, 8K receivers).
bool IsReceiverConnection(int connectionType);
// The long-range group: a receiver (not its mouse's cable) whose model has it.
bool LongRangeAllowed(const Device& device);
// The light group: a 4K receiver (type 1) whose model has it.
bool LightAllowed(const Device& device);

struct Layout {
    QSize content;   // fixed size of the scrolled content
    QPoint link;     // pushButton_3
    QPoint company;  // pushButton_4
};
// Compact while no receiver group shows, expanded while one does.
Layout LayoutFor(bool anyGroupShown, int offset);

} // namespace SettingGroups

#endif // SETTING_GROUPS_H
