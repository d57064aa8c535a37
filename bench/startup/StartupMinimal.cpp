// Start-up baseline: the least a program needs to show the same twenty labels with Cairo and
// Pango ("line": one line of text, a bare window), into an image or on the desktop through SDL2
// ("sdl"). It prints "frame" once the frame is drawn, or shown, and ends at once.

#include "Labels.h"

#include <SDL.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

const int kWidth = 551;
const int kHeight = 286;

void
draw(cairo_surface_t* surface, int count)
{
	cairo_t* cr = cairo_create(surface);
	cairo_set_source_rgb(cr, 216 / 255.0, 216 / 255.0, 216 / 255.0);
	cairo_paint(cr);
	cairo_set_source_rgb(cr, 0, 0, 0);
	PangoLayout* layout = pango_cairo_create_layout(cr);
	pango_context_set_language(pango_layout_get_context(layout), pango_language_from_string("ja"));
	PangoFontDescription* font = pango_font_description_from_string("sans");
	pango_font_description_set_absolute_size(font, startup::kFontSize * PANGO_SCALE);
	pango_layout_set_font_description(layout, font);
	for (int i = 0; i < count; i++) {
		pango_layout_set_text(layout, startup::kLabels[i], -1);
		cairo_move_to(cr, startup::label_left(i), startup::label_top(i));
		pango_cairo_show_layout(cr, layout);
	}
	pango_font_description_free(font);
	g_object_unref(layout);
	cairo_destroy(cr);
	cairo_surface_flush(surface);
}

bool
show(cairo_surface_t* image)
{
	SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
	if (SDL_Init(SDL_INIT_VIDEO) != 0)
		return false;
	SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
	SDL_Window* window = SDL_CreateWindow("Start-up minimal", 100, 100, kWidth, kHeight, 0);
	if (window == nullptr)
		return false;
	SDL_Surface* target = SDL_GetWindowSurface(window);
	SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
		cairo_image_surface_get_data(image), kWidth, kHeight, 32,
		cairo_image_surface_get_stride(image), SDL_PIXELFORMAT_ARGB8888);
	if (target == nullptr || source == nullptr)
		return false;
	SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
	SDL_BlitSurface(source, nullptr, target, nullptr);
	return SDL_UpdateWindowSurface(window) == 0;
}

} // namespace

int
main(int argc, char** argv)
{
	bool desktop = false;
	int count = startup::kLabelCount;
	for (int i = 1; i < argc; i++) {
		desktop = desktop || strcmp(argv[i], "sdl") == 0;
		if (strcmp(argv[i], "line") == 0)
			count = 1;
	}
	FcInit();
	cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
	draw(image, count);
	bool shown = !desktop || show(image);
	printf(shown ? "frame\n" : "no frame\n");
	fflush(stdout);
	_exit(shown ? 0 : 1);
}
