#include <framework/ShortCutReceiver.h>

TShortCutReceiver::~TShortCutReceiver() {}
