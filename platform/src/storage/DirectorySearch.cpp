#include "StoragePrivate.h"

#include <cstdlib>
#include <cstring>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace BPrivate {

namespace {

// How far a search for a folder known only by device and node may go.
const int kMaxDepth = 4;
const size_t kMaxFolders = 2000;
const size_t kMaxQueued = 20000;

struct Candidate {
	std::string path;
	int depth;
};

void
add_root(std::deque<Candidate>* queue, const char* path)
{
	if (path != nullptr && path[0] == '/')
		queue->push_back(Candidate{path, 0});
}

} // namespace

status_t
search_directory(int32 device, int64 node, std::string* path)
{
	// A reference made by another process names a folder this one has not seen. Look for it
	// where references usually point: the user's folders, the temporary folder and the
	// working folder, a few levels deep, staying on the reference's device.
	std::deque<Candidate> queue;
	add_root(&queue, getenv("XDG_CONFIG_HOME"));
	add_root(&queue, getenv("XDG_RUNTIME_DIR"));
	add_root(&queue, getenv("HOME"));
	add_root(&queue, getenv("XDG_DATA_HOME"));
	add_root(&queue, getenv("TMPDIR"));
	add_root(&queue, "/tmp");
	char* cwd = getcwd(nullptr, 0);
	add_root(&queue, cwd);
	free(cwd);
	add_root(&queue, "/");

	size_t visited = 0;
	while (!queue.empty() && visited < kMaxFolders) {
		Candidate candidate = queue.front();
		queue.pop_front();
		struct stat st;
		if (lstat(candidate.path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
			continue;
		visited++;
		if (int32(st.st_dev) == device && int64(st.st_ino) == node) {
			char* real = realpath(candidate.path.c_str(), nullptr);
			if (real == nullptr)
				continue;
			*path = real;
			free(real);
			remember_directory(device, node, *path);
			return B_OK;
		}
		if (candidate.depth >= kMaxDepth || int32(st.st_dev) != device)
			continue;
		DIR* dir = opendir(candidate.path.c_str());
		if (dir == nullptr)
			continue;
		while (struct dirent* entry = readdir(dir)) {
			if (entry->d_type != DT_DIR && entry->d_type != DT_UNKNOWN)
				continue;
			if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0)
				continue;
			if (queue.size() >= kMaxQueued)
				break;
			std::string child = candidate.path;
			if (child.back() != '/')
				child += '/';
			child += entry->d_name;
			queue.push_back(Candidate{child, candidate.depth + 1});
		}
		closedir(dir);
	}
	return B_ENTRY_NOT_FOUND;
}

} // namespace BPrivate
