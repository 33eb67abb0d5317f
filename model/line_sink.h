// A receiver of a line list built piece by piece: it takes the lines
// handed to it out of the list (writing them to a file, or appending them
// to the whole list) and returns false when that failed, which stops the
// build.
#ifndef VARNEL_MODEL_LINE_SINK_H_
#define VARNEL_MODEL_LINE_SINK_H_

#include <functional>

#include "model/text.h"

typedef std::function<bool(TextList*)> LineSink;

// Moves the lines of `piece` to the end of `whole` and leaves `piece`
// empty: the sink for a build whose whole list stays in memory.
void AppendPiece(TextList* whole, TextList* piece);

// The sink that appends every piece to `whole` with AppendPiece.
LineSink AppendingTo(TextList* whole);

#endif  // VARNEL_MODEL_LINE_SINK_H_
