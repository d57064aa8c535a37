#ifndef MOZELT_IAP_MESSAGES_H
#define MOZELT_IAP_MESSAGES_H

#include <OS.h>
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
// The window's buttons.
const uint32 MSG_IAP_BUTTON_OK = '_ok';
const uint32 MSG_IAP_BUTTON_CANCEL = '_cnc';
const uint32 MSG_IAP_BUTTON_DEFAULTS = '_dfl';
// Sent by the window's application to itself and to every application whenever the window
// hides or goes; no fields. Nothing else tells the others that OK was pressed or that the
// window is gone.
const uint32 MSG_IAP_WINDOW_HIDDEN = 'iahd';

// What the window reports as its port while its thread has not made the port yet, and when
// it could not.
inline constexpr port_id IAP_PORT_NOT_YET = -400;
inline constexpr port_id IAP_PORT_FAILED = -500;

// Fields every change message carries: who built the configuration view, and which item.
inline constexpr char IAP_FIELD_SRC_APP[] = "IAP:SrcApp";
inline constexpr char IAP_FIELD_SRC_IAP_ITEM[] = "IAP:SrcIAPItem";

#endif
