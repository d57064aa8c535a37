#include "RosterRegistry.h"

#include "kernel/RuntimeDirectory.h"

#include <Roster.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace BPrivate {

namespace {

std::mutex sLock;
int sOwnFile = -1;
std::string sOwnPath;

status_t
make_private_directory(const std::string& path)
{
	if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
		return B_ERROR;
	struct stat st;
	if (lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
		return B_ERROR;
	// Another user's folder could let them read and forge our messages.
	if (st.st_uid != getuid() || (st.st_mode & 0077) != 0)
		return B_NOT_ALLOWED;
	return B_OK;
}

status_t
roster_directory(std::string* path)
{
	std::string runtime;
	status_t status = RosterRegistry::RuntimeDirectory(&runtime);
	if (status != B_OK)
		return status;
	*path = runtime + "/roster";
	return make_private_directory(*path);
}

std::string
describe(const RosterEntry& entry)
{
	char numbers[160];
	snprintf(numbers, sizeof(numbers), "team %d\nthread %d\nport %d\nflags %u\nregistered %lld\n",
			 (int)entry.team, (int)entry.thread, (int)entry.port, (unsigned)entry.flags,
			 (long long)entry.registered);
	return std::string(numbers) + "signature " + entry.signature + "\npath " + entry.path + "\n";
}

bool
parse(const std::string& text, RosterEntry* entry)
{
	size_t start = 0;
	int seen = 0;
	while (start < text.size()) {
		size_t end = text.find('\n', start);
		if (end == std::string::npos)
			break;
		std::string line = text.substr(start, end - start);
		start = end + 1;
		size_t space = line.find(' ');
		if (space == std::string::npos)
			continue;
		std::string key = line.substr(0, space);
		std::string value = line.substr(space + 1);
		if (key == "team")
			entry->team = atoi(value.c_str()), seen++;
		else if (key == "thread")
			entry->thread = atoi(value.c_str());
		else if (key == "port")
			entry->port = atoi(value.c_str()), seen++;
		else if (key == "flags")
			entry->flags = (uint32)strtoul(value.c_str(), NULL, 10);
		else if (key == "registered")
			entry->registered = strtoll(value.c_str(), NULL, 10);
		else if (key == "signature")
			entry->signature = value;
		else if (key == "path")
			entry->path = value;
	}
	return seen == 2 && entry->team > 0;
}

// Reads one registration; false for a dead owner (the file is then removed) or a bad file.
bool
read_live(const std::string& path, RosterEntry* entry)
{
	int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
	if (fd < 0)
		return false;
	if (flock(fd, LOCK_SH | LOCK_NB) == 0) {
		// Nobody holds it: its process has gone.
		unlink(path.c_str());
		close(fd);
		return false;
	}
	std::string text;
	char buffer[512];
	ssize_t got;
	while ((got = read(fd, buffer, sizeof(buffer))) > 0 && text.size() < 8192)
		text.append(buffer, got);
	close(fd);
	return parse(text, entry);
}

std::vector<RosterEntry>
list_in(const std::string& directory)
{
	std::vector<RosterEntry> entries;
	DIR* dir = opendir(directory.c_str());
	if (dir == NULL)
		return entries;
	while (struct dirent* item = readdir(dir)) {
		if (strncmp(item->d_name, "app-", 4) != 0)
			continue;
		RosterEntry entry;
		if (read_live(directory + "/" + item->d_name, &entry))
			entries.push_back(entry);
	}
	closedir(dir);
	std::sort(entries.begin(), entries.end(), [](const RosterEntry& a, const RosterEntry& b) {
		return a.registered != b.registered ? a.registered < b.registered : a.team < b.team;
	});
	return entries;
}

// The file that remembers where the application with the signature lies.
std::string
known_file(const std::string& directory, const char* signature)
{
	std::string name = directory + "/known-";
	for (const char* c = signature; *c != '\0'; c++) {
		char hex[3];
		snprintf(hex, sizeof(hex), "%02x", (unsigned char)tolower((unsigned char)*c));
		name += hex;
	}
	return name;
}

void
remember_path(const std::string& directory, const RosterEntry& entry)
{
	if (entry.signature.empty() || entry.path.empty())
		return;
	std::string file = known_file(directory, entry.signature.c_str());
	std::string temporary = file + ".new";
	int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
	if (fd < 0)
		return;
	bool written = write(fd, entry.path.data(), entry.path.size()) == (ssize_t)entry.path.size();
	close(fd);
	if (!written || rename(temporary.c_str(), file.c_str()) != 0)
		unlink(temporary.c_str());
}

// Removes the registrations that a process killed while writing left under their temporary
// names: nobody holds their lock any more. Called with the directory locked, so that no
// registration being written now can be taken for one.
void
remove_abandoned_registrations(const std::string& directory)
{
	DIR* dir = opendir(directory.c_str());
	if (dir == NULL)
		return;
	while (struct dirent* item = readdir(dir)) {
		if (strncmp(item->d_name, "new-", 4) != 0)
			continue;
		std::string path = directory + "/" + item->d_name;
		int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
		if (fd < 0)
			continue;
		if (flock(fd, LOCK_SH | LOCK_NB) == 0)
			unlink(path.c_str());
		close(fd);
	}
	closedir(dir);
}

// Serialises registrations between processes, so that two exclusive starts cannot both win.
class DirectoryLock {
public:
	explicit DirectoryLock(const std::string& directory)
	{
		fFile =
			open((directory + "/lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
		if (fFile >= 0 && !BPrivate::lock_file_within(fFile)) {
			close(fFile);
			fFile = -1;
		}
	}
	~DirectoryLock()
	{
		if (fFile >= 0)
			close(fFile);
	}
	bool IsLocked() const { return fFile >= 0; }

private:
	int fFile;
};

} // namespace

status_t
RosterRegistry::RuntimeDirectory(std::string* path)
{
	// The ports' folder: the registry must name the ports an application really reads.
	return BPrivate::runtime_directory(path);
}

status_t
RosterRegistry::Register(const RosterEntry& entry, RosterEntry* running)
{
	std::string directory;
	status_t status = roster_directory(&directory);
	if (status != B_OK)
		return status;
	std::lock_guard<std::mutex> guard(sLock);
	DirectoryLock lock(directory);
	if (!lock.IsLocked())
		return B_TIMED_OUT;
	remove_abandoned_registrations(directory);

	uint32 launch = entry.flags & B_LAUNCH_MASK;
	if (launch != B_MULTIPLE_LAUNCH) {
		for (const RosterEntry& other : list_in(directory)) {
			if (other.team == entry.team)
				continue;
			bool same = launch == B_EXCLUSIVE_LAUNCH
							? strcasecmp(other.signature.c_str(), entry.signature.c_str()) == 0
							: other.path == entry.path;
			if (same && !entry.signature.empty()) {
				if (running != NULL)
					*running = other;
				return B_ALREADY_RUNNING;
			}
		}
	}

	// Written under a temporary name and locked before it can be seen.
	char name[64];
	snprintf(name, sizeof(name), "/app-%d", (int)entry.team);
	std::string path = directory + name;
	snprintf(name, sizeof(name), "/new-%d", (int)entry.team);
	std::string temporary = directory + name;
	int fd = open(temporary.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
	if (fd < 0)
		return B_ERROR;
	if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
		close(fd);
		return B_ERROR;
	}
	RosterEntry stamped = entry;
	stamped.registered = system_time();
	std::string text = describe(stamped);
	if (write(fd, text.data(), text.size()) != (ssize_t)text.size() ||
		rename(temporary.c_str(), path.c_str()) != 0) {
		unlink(temporary.c_str());
		close(fd);
		return B_ERROR;
	}
	if (sOwnFile >= 0)
		close(sOwnFile);
	sOwnFile = fd;
	sOwnPath = path;
	remember_path(directory, entry);
	return B_OK;
}

void
RosterRegistry::Unregister()
{
	std::lock_guard<std::mutex> guard(sLock);
	if (sOwnFile < 0)
		return;
	unlink(sOwnPath.c_str());
	close(sOwnFile);
	sOwnFile = -1;
	sOwnPath.clear();
}

std::vector<RosterEntry>
RosterRegistry::List()
{
	std::string directory;
	if (roster_directory(&directory) != B_OK)
		return {};
	return list_in(directory);
}

std::string
RosterRegistry::KnownPath(const char* signature)
{
	std::string directory;
	if (signature == NULL || roster_directory(&directory) != B_OK)
		return std::string();
	int fd = open(known_file(directory, signature).c_str(), O_RDONLY | O_CLOEXEC);
	if (fd < 0)
		return std::string();
	char buffer[4096];
	ssize_t got = read(fd, buffer, sizeof(buffer));
	close(fd);
	return got > 0 ? std::string(buffer, got) : std::string();
}

status_t
RosterRegistry::Find(const char* signature, team_id team, RosterEntry* entry)
{
	for (const RosterEntry& candidate : List()) {
		if (team >= 0 && candidate.team != team)
			continue;
		if (signature != NULL && strcasecmp(candidate.signature.c_str(), signature) != 0)
			continue;
		*entry = candidate;
		return B_OK;
	}
	return B_BAD_VALUE;
}

} // namespace BPrivate
