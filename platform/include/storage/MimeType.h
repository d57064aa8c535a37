#ifndef _MIME_TYPE_H
#define _MIME_TYPE_H

#include <StorageDefs.h>
#include <SupportDefs.h>

#include <string>

#ifndef _APP_VERB_DEFINED
#define _APP_VERB_DEFINED
enum app_verb {
	B_OPEN = 0,
};
#endif

// A MIME type string ("supertype" or "supertype/subtype"), compared without regard to case.
// What is known about a type (its preferred application) lives in the user's type database,
// a folder "mime_db" below the user's settings folder.
class BMimeType {
public:
	BMimeType();
	BMimeType(const char* mimeType);
	virtual ~BMimeType();

	status_t SetTo(const char* mimeType);
	status_t SetType(const char* mimeType);
	void Unset();
	status_t InitCheck() const;

	const char* Type() const;
	bool IsValid() const;
	static bool IsValid(const char* mimeType);
	bool IsSupertypeOnly() const;
	status_t GetSupertype(BMimeType* supertype) const;
	bool Contains(const BMimeType* type) const;

	bool IsInstalled() const;
	status_t GetPreferredApp(char* signature, app_verb verb = B_OPEN) const;
	status_t SetPreferredApp(const char* signature, app_verb verb = B_OPEN);

	bool operator==(const BMimeType& type) const;
	bool operator==(const char* type) const;

private:
	BMimeType(const BMimeType&) = delete;
	BMimeType& operator=(const BMimeType&) = delete;

	status_t _DatabasePath(bool create, std::string* path) const;

	std::string fType;
	status_t fStatus;
};

#endif
