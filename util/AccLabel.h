#ifndef MOZELT_ACC_LABEL_H
#define MOZELT_ACC_LABEL_H

#include <string>

// Accelerator formats: byte 0 says where the key goes, the rest is a template whose first "a"
// stands for the key. The empty format writes no key at all.
inline constexpr char ACC_FORMAT_PLACE_BEFORE = 0x01;
inline constexpr char ACC_FORMAT_PLACE_INSIDE = 0x02;

// label with key written in as format says: before the label, or in front of the label's
// first ellipsis, bracket, colon or arrow, or else after it.
std::string merge_accelerator_key(const std::string& format, const std::string& key,
								  const std::string& label);

// The accelerator letter of a finished label, in lower case, or 0 when it carries none.
char short_cut_from_label(const std::string& label);

#endif
