#include <SupportDefs.h>

const char* B_EMPTY_STRING = "";
