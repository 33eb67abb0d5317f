// What each fuzz target does with one input. The libFuzzer targets and the
// regression test that replays saved inputs share these, so an input that
// once failed is checked the same way in the normal build.
#ifndef VARNEL_FUZZ_FUZZ_DRIVERS_H_
#define VARNEL_FUZZ_FUZZ_DRIVERS_H_

#include <cstddef>
#include <cstdint>

// The bytes are a header: it is parsed, both outputs are built with every
// option on and again with the narrowest filters, and the XML is read back
// and merged into the model it came from. Each time its help book is cut
// too, or refused for its names.
void FuzzHeader(const uint8_t* data, size_t size);

// data[0] is the length n of a little program in data[1..n]; the rest is
// an XML text. The text is loaded and the program drives the cursor and
// reads through it.
void FuzzXmlTree(const uint8_t* data, size_t size);

// The bytes are an XML text merged into the parsed example header; the
// outputs are then built from the merged model.
void FuzzMerge(const uint8_t* data, size_t size);

// The bytes are a settings file; it is read, and the lists are used to
// parse the example header.
void FuzzSettings(const uint8_t* data, size_t size);

// Called when a driver's check fails, with what was expected. The fuzz
// targets abort, so that libFuzzer saves the input; the regression test
// throws, so that it can name the file and go on.
extern void (*g_pfnFuzzCheckFailed)(const char* what);

#endif  // VARNEL_FUZZ_FUZZ_DRIVERS_H_
