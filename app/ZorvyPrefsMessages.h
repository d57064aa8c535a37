#ifndef ZORVY_ZORVY_PREFS_MESSAGES_H
#define ZORVY_ZORVY_PREFS_MESSAGES_H

#include <SupportDefs.h>

// Messages of the main window.
inline constexpr uint32 MSG_BUTTON_OK = '_ok';
inline constexpr uint32 MSG_BUTTON_CANCEL = '_cnc';
inline constexpr uint32 MSG_LVIEW_CATEGORY_CHANGED = 'lctc';

// To the application, from any sender: open the maker's common preferences.
inline constexpr uint32 MSG_MITEM_MOZELT_COMMON_PREFS = '_Ssp';

#endif
