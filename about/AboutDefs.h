#ifndef MOZELT_ABOUT_DEFS_H
#define MOZELT_ABOUT_DEFS_H

#include <SupportDefs.h>

// What the About box's OK button sends, and the request that hides the box like it.
const uint32 MSG_ABOUT_OK = '_ok';
const uint32 MSG_ABOUT_CANCEL = '_cnc';

// What a language file says about itself, shown in a translator line through the placeholders
// "%LangNameInNative%" and "%TranslatorName%", and what is shown when it does not say.
inline constexpr char LKV_ABOUT_LANG_NAME_IN_NATIVE[] = "$LangNameInNative$";
inline constexpr char LKV_ABOUT_TRANSLATOR_NAME[] = "$TranslatorName$";
inline constexpr char LANG_NAME_DEFAULT[] = "English";
inline constexpr char TRANSLATOR_NAME_DEFAULT[] = "MOZELT";

// The maker's name that takes the place of "%AppAuthor%" in a copyright line, looked up as a
// locale key so that a language file can give its own spelling.
inline constexpr char ABOUT_AUTHOR_KEY[] = "MOZELT";

#endif
