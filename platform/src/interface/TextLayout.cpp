#include "TextLayout.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

namespace {

// Mixed text, so that the height covers the Japanese fallback face as well as the Latin one.
const char kHeightSample[] = "Hgy\xe6\xbc\xa2\xe5\xad\x97";

// One Pango context, and so one font map, for every thread: each font is found, opened and
// measured once for the whole process, not once per window. Pango's objects may be used from
// any thread but by one at a time, so every use holds this lock. Neither is ever released:
// windows may still measure while the process exits, and releasing the map drops fontconfig
// data that Pango does not free.
std::mutex&
pango_lock()
{
	static std::mutex* sLock = new std::mutex;
	return *sLock;
}

PangoContext*
new_context()
{
	PangoFontMap* map = pango_cairo_font_map_new();
	PangoContext* context = pango_font_map_create_context(map);
	g_object_unref(map);
	cairo_font_options_t* options = cairo_font_options_create();
	cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
	cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
	// Unhinted metrics keep widths independent of where the text lands.
	cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
	pango_cairo_context_set_font_options(context, options);
	cairo_font_options_destroy(options);
	pango_context_set_language(context, pango_language_from_string("ja"));
	return context;
}

// The shared context; the caller holds pango_lock().
PangoContext*
shared_context()
{
	static PangoContext* sContext = nullptr;
	if (sContext == nullptr) {
		BPrivate::init_fonts();
		sContext = new_context();
	}
	return sContext;
}

bool
contains_word(const char* text, const char* word)
{
	return strstr(text, word) != nullptr;
}

PangoFontDescription*
describe(const BFont& font)
{
	font_family family;
	font_style style;
	font.GetFamilyAndStyle(&family, &style);
	std::string families = std::string(family) + ",sans-serif";
	PangoFontDescription* description = pango_font_description_new();
	pango_font_description_set_family(description, families.c_str());
	uint16 face = font.Face();
	bool bold = (face & B_BOLD_FACE) != 0 || contains_word(style, "Bold");
	bool italic = (face & B_ITALIC_FACE) != 0 || contains_word(style, "Italic") ||
				  contains_word(style, "Oblique");
	pango_font_description_set_weight(description, bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
	pango_font_description_set_style(description, italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
	double size = font.Size() > 0 ? font.Size() : 12.0;
	pango_font_description_set_absolute_size(description, size * PANGO_SCALE);
	return description;
}

// A new layout of the text, whose length stops short of any NUL; the caller holds pango_lock().
PangoLayout*
new_layout(const BFont& font, const char* text, int32 length)
{
	PangoLayout* layout = pango_layout_new(shared_context());
	PangoFontDescription* description = describe(font);
	pango_layout_set_font_description(layout, description);
	pango_font_description_free(description);
	pango_layout_set_text(layout, text, length);
	return layout;
}

// The layouts of the texts measured or drawn last. A view measures a text before it draws it
// (to place it, to move the pen past it), so keeping the shaped layout makes drawing a label
// one shaping instead of three; the first frame of a window of labels is mostly that.
class LayoutCache {
public:
	// A layout of the text owned by the cache; valid while the caller holds pango_lock().
	PangoLayout* Get(const BFont& font, const char* text, int32 length)
	{
		font_family family;
		font_style style;
		font.GetFamilyAndStyle(&family, &style);
		float size = font.Size();
		uint16 face = font.Face();
		for (size_t i = 0; i < fEntries.size(); i++) {
			Entry& entry = fEntries[i];
			if (entry.size != size || entry.face != face || entry.text.size() != size_t(length) ||
				memcmp(entry.text.data(), text, size_t(length)) != 0 ||
				strcmp(entry.family.c_str(), family) != 0 ||
				strcmp(entry.style.c_str(), style) != 0)
				continue;
			// Most recently used first, so that the oldest is the one to go.
			std::rotate(fEntries.begin(), fEntries.begin() + i, fEntries.begin() + i + 1);
			return fEntries.front().layout;
		}
		PangoLayout* layout = new_layout(font, text, length);
		if (fEntries.size() == kCapacity) {
			g_object_unref(fEntries.back().layout);
			fEntries.pop_back();
		}
		fEntries.insert(fEntries.begin(), Entry{family, style, size, face,
												std::string(text, size_t(length)), layout});
		return layout;
	}

private:
	struct Entry {
		std::string family;
		std::string style;
		float size;
		uint16 face;
		std::string text;
		PangoLayout* layout;
	};

	// Enough for every label of a window drawn in one pass.
	static constexpr size_t kCapacity = 128;
	std::vector<Entry> fEntries;
};

// The layout of the text, its length clipped at the first NUL; the caller holds pango_lock().
PangoLayout*
cached_layout(const BFont& font, const char* text, int32 length)
{
	// Never destroyed, like the context.
	static LayoutCache* sCache = new LayoutCache;
	if (text == nullptr)
		text = "";
	if (length < 0)
		length = int32(strlen(text));
	else
		length = int32(strnlen(text, size_t(length)));
	return sCache->Get(font, text, length);
}

} // namespace

namespace BPrivate {

void
init_fonts()
{
	static std::once_flag once;
	std::call_once(once, [] { FcInit(); });
}

float
text_width(const BFont& font, const char* text, int32 length)
{
	if (text == nullptr || length == 0 || text[0] == '\0')
		return 0.0f;
	std::lock_guard<std::mutex> guard(pango_lock());
	PangoLayout* layout = cached_layout(font, text, length);
	PangoRectangle logical;
	pango_layout_get_extents(layout, nullptr, &logical);
	return float(logical.width) / PANGO_SCALE;
}

void
text_height(const BFont& font, font_height* height)
{
	font_family family;
	font_style style;
	font.GetFamilyAndStyle(&family, &style);
	auto key = std::make_tuple(std::string(family), std::string(style), font.Size(), font.Face());
	struct Cache {
		std::mutex lock;
		std::map<decltype(key), font_height> heights;
	};
	// Never destroyed, like the context: windows may still measure while the process exits.
	static Cache* sCache = new Cache;
	std::mutex& lock = sCache->lock;
	std::map<decltype(key), font_height>& cache = sCache->heights;
	{
		std::lock_guard<std::mutex> guard(lock);
		auto found = cache.find(key);
		if (found != cache.end()) {
			*height = found->second;
			return;
		}
	}
	PangoRectangle logical;
	int baseline;
	{
		std::lock_guard<std::mutex> guard(pango_lock());
		PangoLayout* layout = new_layout(font, kHeightSample, int32(strlen(kHeightSample)));
		pango_layout_get_extents(layout, nullptr, &logical);
		baseline = pango_layout_get_baseline(layout);
		g_object_unref(layout);
	}
	font_height result;
	result.ascent = float(baseline) / PANGO_SCALE;
	result.descent = float(logical.height - baseline) / PANGO_SCALE;
	result.leading = 0.0f;
	std::lock_guard<std::mutex> guard(lock);
	cache[key] = result;
	*height = result;
}

void
draw_text(cairo_t* cr, const BFont& font, const char* text, int32 length, double x, double baseline)
{
	std::lock_guard<std::mutex> guard(pango_lock());
	PangoLayout* layout = cached_layout(font, text, length);
	double top = baseline - double(pango_layout_get_baseline(layout)) / PANGO_SCALE;
	cairo_move_to(cr, x, top);
	pango_cairo_show_layout(cr, layout);
	// Showing a layout leaves a current point behind.
	cairo_new_path(cr);
}

} // namespace BPrivate

// Pango 1.50 and fontconfig keep font patterns they never free; a process checked for leaks
// (the sanitizer builds) would report them at exit. This is their memory, not ours.
extern "C" const char*
__lsan_default_suppressions()
{
	return "leak:libfontconfig.so\nleak:libpangoft2-1.0.so\n";
}
