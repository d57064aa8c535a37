#ifndef _ARCHIVABLE_H
#define _ARCHIVABLE_H

#include <SupportDefs.h>

class BMessage;

typedef int32 image_id;

// An object that can store itself in a message and be rebuilt from one.
class BArchivable {
public:
	BArchivable();
	explicit BArchivable(BMessage* from);
	virtual ~BArchivable();

	// Adds "class" with the name of the object's own class (namespaces included).
	virtual status_t Archive(BMessage* into, bool deep = true) const;
	static BArchivable* Instantiate(BMessage* from);

	virtual status_t Perform(perform_code d, void* arg);
};

typedef BArchivable* (*instantiation_func)(BMessage*);

// Rebuilds the object an archive describes, through the class registered under its "class".
// Returns NULL (errno set) when no class of that name is registered or it refuses the archive.
BArchivable* instantiate_object(BMessage* from, image_id* id);
BArchivable* instantiate_object(BMessage* from);
// True when any "class" entry of the archive names className.
bool validate_instantiation(BMessage* from, const char* className);

instantiation_func find_instantiation_func(const char* className, const char* signature);
instantiation_func find_instantiation_func(const char* className);
instantiation_func find_instantiation_func(BMessage* archive);

// Makes a class known to instantiate_object under the name its Archive writes.
status_t register_instantiation_func(const char* className, instantiation_func func);

// Registers Class::Instantiate at start-up: B_REGISTER_ARCHIVABLE(TPrefs) or, for a class in a
// namespace, B_REGISTER_ARCHIVABLE(BPrivate::_BTextInput_).
#define B_REGISTER_ARCHIVABLE(Class) B_REGISTER_ARCHIVABLE_AT(Class, __COUNTER__)
#define B_REGISTER_ARCHIVABLE_AT(Class, n) B_REGISTER_ARCHIVABLE_AT2(Class, n)
#define B_REGISTER_ARCHIVABLE_AT2(Class, n)                                                        \
	static const status_t sArchivableRegistration##n =                                             \
		register_instantiation_func(#Class, &Class::Instantiate)

#endif
