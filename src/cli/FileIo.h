// Reading the input and writing the output of velmora-convert. Paths are
// UTF-8; an input is a C runtime file descriptor on every platform (0 is
// standard input). Each platform's folder (Posix/, Win32/) implements what
// touches the system, with the same messages.
#pragma once

#include <optional>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::cli {

// Reads all of `path`, or standard input when `path` is empty or "-".
// On failure returns false and puts the system's reason in `error`.
bool ReadAll(std::string_view path, std::string& bytes, std::string& error);

// Appends what one read of up to `bytes` bytes from `fd` gives to `buffer`;
// sets `endOfInput` when the input has ended. On a read error returns false
// with the system's reason in `error`.
bool AppendRead(int fd, std::size_t bytes, std::string& buffer, bool& endOfInput,
                std::string& error);

// Writes all of `bytes` to `fd`, byte for byte; false with the system's
// reason («No space left on device»).
bool WriteAll(int fd, std::string_view bytes, std::string& error);

// Writes `bytes` to standard output, byte for byte.
bool WriteStdout(std::string_view bytes, std::string& error);

// The file descriptor of standard output.
int StandardOutput();

// An output stream over a file descriptor (not closed here) that keeps the
// system's reason when a write fails, which a std::ofstream does not tell.
class DescriptorStream : public std::ostream {
 public:
  explicit DescriptorStream(int fd = -1) : std::ostream(&buffer_), buffer_(fd) {}
  DescriptorStream(const DescriptorStream&) = delete;
  DescriptorStream& operator=(const DescriptorStream&) = delete;

  void Attach(int fd) { buffer_.Attach(fd); }
  // Why the first write that failed did: the system's reason; empty while
  // every write has succeeded.
  const std::string& Error() const { return buffer_.Error(); }

 private:
  class Buffer : public std::streambuf {
   public:
    explicit Buffer(int fd);
    void Attach(int fd) { fd_ = fd; }
    const std::string& Error() const { return error_; }

   protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

   private:
    bool Flush();

    int fd_;
    std::vector<char> space_;
    std::string error_;
  };
  Buffer buffer_;
};

// Writes `bytes` to `path` through a temporary file in the same folder that
// is moved over it, so that a failed run leaves no half-written file.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

// Opens `path` for reading (standard input when `path` is empty or "-");
// returns the descriptor, or -1 with the system's reason in `error`.
int OpenInput(std::string_view path, std::string& error);

// The size of the file open as `fd` when it is a regular file, as a hint
// for what reading it gives; nullopt for a pipe or a terminal.
std::optional<std::size_t> RegularFileSize(int fd);

// Closes an input opened by OpenInput when it goes out of scope (standard
// input stays open).
struct InputCloser {
  explicit InputCloser(int input) : fd(input) {}
  InputCloser(const InputCloser&) = delete;
  InputCloser& operator=(const InputCloser&) = delete;
  ~InputCloser();
  int fd;
};

// A file written as a stream and put in place only when it is complete: the
// bytes go to a temporary file in the same folder, which Commit moves over
// `path`. Without Commit, or when the program is interrupted (SIGINT,
// SIGTERM, SIGHUP), the temporary file is removed and `path` stays as it
// was. What `path` is decides how it is written, so that nothing it is, or
// points to, is damaged:
//  - a device, a FIFO, a socket or a stream of the process («/dev/stdout»):
//    written in place, never replaced by a file;
//  - a symbolic link: followed, and the file it points to replaced;
//  - a file with other hard links: its content replaced once complete, so
//    that every link still names it;
//  - a file replaced keeps its mode, and its owner where that is allowed.
class AtomicOutputFile {
 public:
  AtomicOutputFile() = default;
  AtomicOutputFile(const AtomicOutputFile&) = delete;
  AtomicOutputFile& operator=(const AtomicOutputFile&) = delete;
  ~AtomicOutputFile();

  bool Open(const std::string& path, std::string& error);
  std::ostream& Stream() { return stream_; }
  // Puts the complete file in place; false with the system's reason when a
  // write, the file's closing or its move failed.
  bool Commit(std::string& error);

 private:
  // Moves the complete temporary file over `path`.
  bool MoveIntoPlace(std::string& error);
  // Closes the file written; false with the system's reason.
  bool Close(std::string& error);

  std::string path_;            // where the output goes: a symbolic link's target
  std::string temporary_;       // the temporary file, or empty when written in place
  bool copyIntoPlace_ = false;  // a file with other links: copied, not moved
  int fd_ = -1;
  DescriptorStream stream_;
};

}  // namespace velmora::cli
