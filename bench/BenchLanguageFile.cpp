// Loading a language file of 10,000 lines into a catalogue, against reading the same file
// whole into memory in the same run (goal: at most twice the time), in processor time.
#include <locale/Locale.h>

#include <benchmark/benchmark.h>

#include <File.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

const int kLines = 10000;

// A data folder holding MOZELT.enUS of kLines lines: entries as translators write them, with
// comments, blank lines and quoted texts among them.
class LanguageFolder {
public:
	LanguageFolder()
	{
		char pattern[] = "/tmp/bench-language-XXXXXX";
		if (mkdtemp(pattern) == NULL)
			abort();
		fFolder = pattern;
		std::filesystem::create_directories(fFolder + "/Language/Dictionaries");
		std::ofstream file(Path(), std::ios::binary);
		for (int i = 0; i < kLines; i++) {
			std::string n = std::to_string(i);
			if (i % 50 == 0)
				file << "# Section " << n << "\n";
			else if (i % 50 == 1)
				file << "\n";
			else if (i % 10 == 0)
				file << "\"入力の基本設定 " << n << " \"\t\" Basic settings " << n << " \"\n";
			else
				file << "句読点（。．）が入力されたときに自動的に変換する" << n
					 << "\tConvert when the period key (。．) is typed " << n << "\n";
		}
	}

	~LanguageFolder()
	{
		std::error_code ignored;
		std::filesystem::remove_all(fFolder, ignored);
	}

	const std::string& Folder() const { return fFolder; }
	std::string Path() const { return fFolder + "/Language/Dictionaries/MOZELT.enUS"; }

private:
	std::string fFolder;
};

// The baseline: the file's bytes into one string, through the same platform file.
size_t
read_whole(const std::string& path)
{
	BFile file(path.c_str(), B_READ_ONLY);
	off_t size = 0;
	file.GetSize(&size);
	std::string text(static_cast<size_t>(size), '\0');
	ssize_t read = file.Read(text.data(), text.size());
	benchmark::DoNotOptimize(text.data());
	return read > 0 ? static_cast<size_t>(read) : 0;
}

// The processor time of the calling thread, kernel time included, in milliseconds: other
// programs on the machine disturb it less than the wall clock.
double
thread_ms()
{
	timespec now;
	clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
	return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Loads the file into a catalogue that held it already (a language chosen again), or with
// fresh set to true into a new catalogue each time (the first language of a program).
void
BM_LoadLanguageFile(benchmark::State& state, bool fresh)
{
	LanguageFolder folder;
	std::unique_ptr<TLocale> locale(new TLocale());
	double load = 0;
	double read = 0;
	size_t bytes = 0;
	for (auto _ : state) {
		if (fresh) {
			state.PauseTiming();
			locale.reset(new TLocale());
			state.ResumeTiming();
		}
		locale->SetLanguage("enUS", false);
		double start = thread_ms();
		locale->LoadLanguageFile(folder.Folder(), "MOZELT.txt", false);
		double loaded = thread_ms();
		bytes = read_whole(folder.Path());
		read += thread_ms() - loaded;
		load += loaded - start;
	}
	double iterations = static_cast<double>(state.iterations());
	state.counters["load_ms"] = load / iterations;
	state.counters["read_ms"] = read / iterations;
	state.counters["load_x"] = read > 0 ? load / read : 0;
	state.counters["KiB"] = static_cast<double>(bytes) / 1024;
	if (std::string(locale->GetString("句読点（。．）が入力されたときに自動的に変換する9999")) !=
		"Convert when the period key (。．) is typed 9999")
		state.SkipWithError("the file was not read");
}
BENCHMARK_CAPTURE(BM_LoadLanguageFile, Again, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadLanguageFile, First, true)->Unit(benchmark::kMillisecond);

} // namespace
