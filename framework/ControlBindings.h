#ifndef MOZELT_CONTROL_BINDINGS_H
#define MOZELT_CONTROL_BINDINGS_H

#include <SupportDefs.h>

#include <string>
#include <vector>

class BCheckBox;
class BMenuField;
class BMessage;
class BView;

// Ties the controls of a view to the fields of a record: each control's label comes from the
// catalogue, its value from its field, and what it sends is written back into the field and
// delivered. A view lists its controls once, as a table of which control, which label and
// letter, which field and which message, and hands every message and every showing to this.
//
// Controls may be NULL (a layout without them): such rows do nothing. Everything runs in the
// looper of the view the controls belong to.
class TControlBindings {
public:
	// What a row does after writing a change into its field; NULL only stores it.
	typedef void (*deliver_func)();

	TControlBindings();
	~TControlBindings();

	// The label of a box, caption, control or menu field: the catalogue's text for key, with
	// the accelerator letter (if any) written in the accelerator format, then the catalogue's
	// text for suffixKey (if any). A caption is fitted to its text and a menu field's divider
	// to its label.
	void BindLabel(BView* view, const char* key, const char* accelerator = NULL,
				   const char* suffixKey = NULL);
	// The box sends `what`; checked means true.
	void BindCheckBox(BCheckBox* box, bool* field, uint32 what, deliver_func deliver);
	// The field's items send `what` with their value under valueName; the item at that index
	// shows the value.
	void BindMenuField(BMenuField* menuField, int32* field, uint32 what, const char* valueName,
					   deliver_func deliver);

	// Labels every bound view, writing the letters in the accelerator format given.
	void SetLabels(const std::string& accFormat) const;
	// Shows every field in its control.
	void UpdateCompos() const;
	// Writes into the fields what the controls bound to the message's code hold (every one of
	// them, so that several boxes sharing a code are read together) and delivers once; a menu's
	// message without its value writes and delivers nothing. False when no control is bound to
	// the code: the message is the caller's.
	bool Take(const BMessage& message) const;

private:
	struct Label {
		BView* view;
		const char* key;
		const char* accelerator;
		const char* suffixKey;
	};
	struct Row {
		BCheckBox* box;
		BMenuField* menuField;
		bool* flag;
		int32* value;
		uint32 what;
		const char* valueName;
		deliver_func deliver;
	};

	TControlBindings(const TControlBindings&) = delete;
	TControlBindings& operator=(const TControlBindings&) = delete;

	std::vector<Label> mLabels;
	std::vector<Row> mRows;
};

#endif
