#ifndef MOZELT_ARCHIVABLE_H
#define MOZELT_ARCHIVABLE_H

#include <Archivable.h>

#include <string>

class BEntry;
class BMessage;
class BRect;
struct entry_ref;
struct rgb_color;

inline constexpr char CLASS_NAME_T_ARCHIVABLE[] = "TArchivable";

// The farthest a stored window frame may reach from the origin in any direction.
inline constexpr float kMaxFrameCoordinate = 100000.0f;

// Whether a frame read from outside can place a window: all four coordinates finite and within
// kMaxFrameCoordinate, left <= right and top <= bottom.
bool is_sane_frame(const BRect& frame);

// An object stored as one flattened message in a file of its own. Subclasses preset their
// defaults, then read in Unarchive only what the archive holds, through the Find... readers
// below, which leave the caller's value untouched when a field is missing.
class TArchivable : public BArchivable {
public:
	TArchivable();
	explicit TArchivable(BMessage* archive);
	virtual ~TArchivable();

	static BArchivable* Instantiate(BMessage* archive);

	status_t Load(const BEntry& entry);
	status_t Save(const BEntry& entry) const;

	virtual status_t Archive(BMessage* archive, bool deep = true) const;
	virtual status_t Unarchive(const BMessage& archive);

protected:
	static status_t FindBool(const BMessage& archive, const char* name, bool* value);
	static status_t FindBool(const BMessage& archive, const char* name, int32 index, bool* value);
	static status_t FindInt8(const BMessage& archive, const char* name, int8* value);
	static status_t FindInt8(const BMessage& archive, const char* name, int32 index, int8* value);
	static status_t FindInt16(const BMessage& archive, const char* name, int16* value);
	static status_t FindInt16(const BMessage& archive, const char* name, int32 index, int16* value);
	static status_t FindInt32(const BMessage& archive, const char* name, int32* value);
	static status_t FindInt32(const BMessage& archive, const char* name, int32 index, int32* value);
	static status_t FindInt64(const BMessage& archive, const char* name, int64* value);
	static status_t FindInt64(const BMessage& archive, const char* name, int32 index, int64* value);
	static status_t FindFloat(const BMessage& archive, const char* name, float* value);
	static status_t FindFloat(const BMessage& archive, const char* name, int32 index, float* value);
	static status_t FindDouble(const BMessage& archive, const char* name, double* value);
	static status_t FindDouble(const BMessage& archive, const char* name, int32 index,
							   double* value);
	static status_t FindRect(const BMessage& archive, const char* name, BRect* value);
	static status_t FindRect(const BMessage& archive, const char* name, int32 index, BRect* value);
	// A window frame: like FindRect, but a frame that is_sane_frame refuses is not taken
	// either (B_BAD_VALUE), so the preset frame stays.
	static status_t FindFrame(const BMessage& archive, const char* name, BRect* value);
	static status_t FindRef(const BMessage& archive, const char* name, entry_ref* value);
	static status_t FindRef(const BMessage& archive, const char* name, int32 index,
							entry_ref* value);
	static status_t FindMessage(const BMessage& archive, const char* name, BMessage* value);
	static status_t FindMessage(const BMessage& archive, const char* name, int32 index,
								BMessage* value);
	// The pointer refers into `archive` and lives as long as it does.
	static status_t FindString(const BMessage& archive, const char* name, const char** value);
	static status_t FindString(const BMessage& archive, const char* name, int32 index,
							   const char** value);
	static status_t FindString(const BMessage& archive, const char* name, std::string* value);
	static status_t FindString(const BMessage& archive, const char* name, int32 index,
							   std::string* value);
	static status_t FindRGBColor(const BMessage& archive, const char* name, rgb_color* value);
	static status_t FindRGBColor(const BMessage& archive, const char* name, int32 index,
								 rgb_color* value);
	// The data pointer refers into `archive`; pointer and size are written together.
	static status_t FindData(const BMessage& archive, const char* name, type_code type,
							 const void** data, ssize_t* size);
	static status_t FindData(const BMessage& archive, const char* name, type_code type, int32 index,
							 const void** data, ssize_t* size);
};

#endif
