#pragma once

// The library is built with hidden visibility; only what carries ZDXF_API leaves it, so the
// drawing database above links against a small, deliberate surface.
#define ZDXF_API __attribute__((visibility("default")))
