#ifndef MOZELT_IAP_MESSAGES_H
#define MOZELT_IAP_MESSAGES_H

#include <SupportDefs.h>

#include <framework/BasicView.h>

// The kernel port of the one common preferences window on the machine; whoever serves it shows
// the window, and every application of the maker reaches the window through it.
inline constexpr char PORT_NAME[] = "MOZELTIAPPort";
inline constexpr int32 IAP_PORT_CAPACITY = 100;

// Through the port: an application offers its items (one field of component states per item),
// and asks the window to come forward. A quit request through the port closes the window.
const uint32 MSG_IAP_ADD_COMPONENTS = 'iacr';
const uint32 MSG_IAP_ACTIVATE_WINDOW = 'iawr';
// A control of a configuration view changed; the window turns it into MSG_IAP_CHANGED ('_ipc').
const uint32 MSG_IAP_CONTROL_CHANGED = 'ictc';

// Fields every change message carries: who built the configuration view, and which item.
inline constexpr char IAP_FIELD_SRC_APP[] = "IAP:SrcApp";
inline constexpr char IAP_FIELD_SRC_IAP_ITEM[] = "IAP:SrcIAPItem";

#endif
