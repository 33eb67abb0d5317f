#include "app/job_log.h"

std::ostream& JobLog::Piece(bool toErr) {
  if (pieces_.empty() || pieces_.back().toErr != toErr)
    pieces_.push_back({toErr, std::make_unique<std::ostringstream>()});
  return *pieces_.back().text;
}

void JobLog::Replay(std::ostream& out, std::ostream& err) const {
  for (const Text& piece : pieces_) {
    std::ostream& to = piece.toErr ? err : out;
    to << piece.text->str();
    to.flush();
  }
}
