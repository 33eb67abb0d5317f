// What a job says, kept in the order it said it, so that jobs running side
// by side can be shown one after the other as if each ran alone.
#ifndef VARNEL_APP_JOB_LOG_H_
#define VARNEL_APP_JOB_LOG_H_

#include <memory>
#include <ostream>
#include <sstream>
#include <vector>

class JobLog {
 public:
  // Streams for what goes to standard output and to standard error. Take
  // one anew for every message: a message to the other stream since
  // starts a new piece.
  std::ostream& Out() { return Piece(false); }
  std::ostream& Err() { return Piece(true); }

  // Writes every piece to its stream, in order.
  void Replay(std::ostream& out, std::ostream& err) const;

 private:
  std::ostream& Piece(bool toErr);

  struct Text {
    bool toErr;
    std::unique_ptr<std::ostringstream> text;
  };
  std::vector<Text> pieces_;
};

#endif  // VARNEL_APP_JOB_LOG_H_
