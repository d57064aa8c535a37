#ifndef WIDGETS_TOOL_BAR_H
#define WIDGETS_TOOL_BAR_H

// A horizontal bar holding a row of tool buttons and separators, flat or raised.

#include <Messenger.h>
#include <View.h>

#include <vector>

class TToolButton;

class TToolBar : public BView {
public:
	TToolBar(BRect frame, const char* name, uint32 resizingMode);
	virtual ~TToolBar();

	virtual status_t SetEnabled(bool enabled);
	virtual status_t SetTargetForItems(BHandler* target);
	virtual status_t SetTargetForItems(BMessenger target);

	virtual void AttachedToWindow();
	virtual void Draw(BRect updateRect);
	virtual void GetPreferredSize(float* width, float* height);

	bool AddItem(TToolButton* item, int32 index);
	bool AddItem(TToolButton* item);
	bool AddSeparatorItem();
	TToolButton* FindItem(const char* name) const;
	TToolButton* ItemAt(int32 index) const;
	int32 CountItems() const;
	int32 IndexOf(TToolButton* item) const;
	TToolButton* FindPushed(int32 start) const;

	bool IsEnabled() const;
	bool IsBarFlat() const;
	bool IsButtonFlat() const;
	status_t SetBarFlat(bool flat);
	status_t SetButtonFlat(bool flat);

private:
	void RelocateItems(int32 index);

	bool mEnabled;
	bool mBarFlat;
	bool mButtonFlat;
	float mItemHeight;
	std::vector<TToolButton*> mItems;
};

#endif
