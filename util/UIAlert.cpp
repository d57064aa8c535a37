#include <util/UIHelpers.h>

#include <util/AccLabel.h>

#include <InterfaceDefs.h>

#include <string>
#include <vector>

int32
show_alert3(const char* headline, const char* text, const char* label0, const char* label1,
			const char* label2, int32 escapeIndex, alert_type type)
{
	std::string title = headline != NULL ? headline : "";
	std::string body = title + "\n\n" + (text != NULL ? text : "");

	// The buttons present, with the index each label was given as.
	const char* given[3] = {label0 != NULL ? label0 : "", label1, label2};
	std::vector<const char*> labels;
	std::vector<int32> indices;
	for (int32 i = 0; i < 3; i++) {
		if (i == 0 || (given[i] != NULL && given[i][0] != '\0')) {
			labels.push_back(given[i]);
			indices.push_back(i);
		}
	}
	labels.resize(3, NULL);

	BAlert* alert = new BAlert(title.c_str(), body.c_str(), labels[0], labels[1], labels[2],
							   B_WIDTH_AS_USUAL, type);
	for (size_t shown = 0; shown < indices.size(); shown++) {
		char key =
			indices[shown] == escapeIndex ? char(B_ESCAPE) : short_cut_from_label(labels[shown]);
		if (key != 0)
			alert->SetShortcut(int32(shown), key);
	}
	int32 pressed = alert->Go();
	if (pressed < 0 || size_t(pressed) >= indices.size())
		return pressed;
	return indices[pressed];
}
