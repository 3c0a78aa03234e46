#include "Iconv.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace velmora::test {
namespace {

std::string ReadCommand(const std::string& command) {
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[1 << 16];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
      out.append(buffer, got);
    }
    ::pclose(pipe);
  }
  return out;
}

}  // namespace

std::string Iconv(std::string_view from, std::string_view to, std::string_view bytes,
                  bool leaveOut) {
  char path[] = "/tmp/velmora-iconv-XXXXXX";
  const int fd = ::mkstemp(path);
  if (fd < 0) return {};
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote <= 0) break;
    done += static_cast<std::size_t>(wrote);
  }
  ::close(fd);
  const std::string out =
      ReadCommand("iconv " + std::string(leaveOut ? "-c " : "") + "-f " + std::string(from) +
                  " -t " + std::string(to) + " " + path + " 2>/dev/null");
  ::unlink(path);
  return out;
}

std::string PackageText(const std::string& path) {
  if (path.ends_with(".gz")) return ReadCommand("zcat '" + path + "' 2>/dev/null");
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace velmora::test
