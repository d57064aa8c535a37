#include <app/ZorvyPrefsAppPrivacy.h>

#include <util/AccLabel.h>

TZorvyPrefsAppPrivacy gAPAppPrivacy;

TZorvyPrefsAppPrivacy::TZorvyPrefsAppPrivacy() {}

TZorvyPrefsAppPrivacy::~TZorvyPrefsAppPrivacy() {}

std::string
acc_label(const std::string& key, const std::string& label)
{
	return merge_accelerator_key(gAPAppPrivacy.mAccFormat, key, label);
}
