#ifndef _NODE_INFO_H
#define _NODE_INFO_H

#include <Mime.h>
#include <Node.h>

// The file-type information of a node: its MIME type (attribute "BEOS:TYPE") and the
// application that prefers to open it (attribute "BEOS:PREF_APP"). The node is not owned.
class BNodeInfo {
public:
	BNodeInfo();
	BNodeInfo(BNode* node);
	virtual ~BNodeInfo();

	status_t SetTo(BNode* node);
	status_t InitCheck() const;

	virtual status_t GetType(char* type) const;
	virtual status_t SetType(const char* type);
	virtual status_t GetPreferredApp(char* signature, app_verb verb = B_OPEN) const;
	virtual status_t SetPreferredApp(const char* signature, app_verb verb = B_OPEN);

private:
	BNodeInfo(const BNodeInfo&) = delete;
	BNodeInfo& operator=(const BNodeInfo&) = delete;

	BNode* fNode;
	status_t fStatus;
};

#endif
