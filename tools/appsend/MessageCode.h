#ifndef APPSEND_MESSAGE_CODE_H
#define APPSEND_MESSAGE_CODE_H

#include <SupportDefs.h>

#include <string>

// Reads a message code as a person writes it: four characters ('_Ssp' as _Ssp), a hexadecimal
// number (0x5F537370), or the name of one of the platform's application requests
// (B_ABOUT_REQUESTED, B_QUIT_REQUESTED, B_SILENT_RELAUNCH). False for anything else.
bool parse_message_code(const std::string& text, uint32* code);

// The names parse_message_code knows, for the help.
const char* message_code_names();

#endif
