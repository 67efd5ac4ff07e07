// Opens a drawing through the database, tags every model-space entity through the host API
// (open for write, setXData with a 3-group record after registering the APPID), and saves.
// In the same run it measures the floor (read the file whole, write it back with fsync) and
// prints the ratio, and the peak memory against the file size.
// Usage: db_tag_bench IN.dxf WORKDIR [--no-undo]
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "acdbads.h"
#include "acutads.h"
#include "dbapserv.h"
#include "dbents.h"
#include "dbsymtb.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

std::u16string u16(const std::string& s) {
  return std::u16string(s.begin(), s.end());
}

// Read whole, write whole, fsync: what any save of these bytes costs at least.
double floorSeconds(const std::string& in, const std::string& out) {
  ::sync();  // the database's own save, still being written, is not the floor's to flush
  const auto start = Clock::now();
  std::ifstream file(in, std::ios::binary);
  std::string bytes(std::filesystem::file_size(in), '\0');
  file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  size_t done = 0;
  while (fd >= 0 && done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0)
      break;
    done += static_cast<size_t>(n);
  }
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
  return seconds(start);
}

// The process's peak resident memory so far.
double peakBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs("usage: db_tag_bench IN.dxf WORKDIR [--no-undo]\n", stderr);
    return 2;
  }
  const std::string in = argv[1];
  const std::string work = argv[2];
  const bool undo = !(argc > 3 && std::strcmp(argv[3], "--no-undo") == 0);
  const double size = static_cast<double>(std::filesystem::file_size(in));
  const double peakStart = peakBytes();  // the process and its libraries, before any drawing

  ::sync();  // nothing written before (the drawing generated) is flushed with the save
  const auto start = Clock::now();
  AcDbDatabase db(false, true);
  if (db.readDxfFile(u16(in).c_str()) != Acad::eOk) {
    std::fprintf(stderr, "cannot read %s\n", in.c_str());
    return 1;
  }
  db.disableUndoRecording(!undo);
  const double read = seconds(start);
  const double peakRead = peakBytes();
  acdbHostApplicationServices()->setWorkingDatabase(&db);
  if (acdbRegApp(u"ZANT_LIST_TEMPLATE") != RTNORM)
    return 1;
  AcDbBlockTable* table = nullptr;
  db.getBlockTable(table, AcDb::kForRead);
  AcDbBlockTableRecord* space = nullptr;
  table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForRead);
  table->close();
  AcDbBlockTableRecordIterator* it = nullptr;
  space->newIterator(it);
  resbuf* record = acutBuildList(1001, u"ZANT_LIST_TEMPLATE", 1000, u"LIST_BODY", 1040, 250.0, 0);
  long tagged = 0;
  for (; !it->done(); it->step()) {
    AcDbEntity* entity = nullptr;
    if (it->getEntity(entity, AcDb::kForWrite) != Acad::eOk)
      continue;
    tagged += entity->setXData(record) == Acad::eOk;
    entity->close();
  }
  acutRelRb(record);
  delete it;
  space->close();
  const double tagTime = seconds(start) - read;
  const double peakTag = peakBytes();
  const std::string out = work + "/bench_out.dxf";
  if (db.dxfOut(u16(out).c_str()) != Acad::eOk) {
    std::fprintf(stderr, "cannot write %s\n", out.c_str());
    return 1;
  }
  const double total = seconds(start);
  acdbHostApplicationServices()->setWorkingDatabase(nullptr);
  const double peak = peakBytes();

  const double floor = floorSeconds(in, work + "/bench_floor.dxf");
  const double n = tagged > 0 ? static_cast<double>(tagged) : 1.0;
  std::printf(
      "%s: %.1f MB, %ld entities tagged (undo %s)\n"
      "  database: %.3f s (read %.3f, tag %.3f, save %.3f)\n"
      "  floor (read + write + fsync): %.3f s\n"
      "  ratio to floor: %.2f (target <= 3)\n"
      "  peak memory: %.1f MB = %.2f x file size (target < 2); after read %.1f MB, tag %.1f MB\n"
      "  per entity: %.2f us, %.0f bytes of memory of which %.0f beyond the file and the "
      "%.1f MB process\n",
      in.c_str(), size / 1e6, tagged, undo ? "on" : "off", total, read, tagTime,
      total - read - tagTime, floor, total / floor, peak / 1e6, peak / size, peakRead / 1e6,
      peakTag / 1e6, total / n * 1e6, peak / n, (peak - peakStart - size) / n, peakStart / 1e6);
  // One line for bench/run.sh's table.
  std::printf("summary %ld %s %.1f %.3f %.2f %.2f %.2f %.0f %.0f\n", tagged, undo ? "on" : "off",
              size / 1e6, total, total / floor, peak / size, total / n * 1e6, peak / n,
              (peak - peakStart - size) / n);
  return 0;
}
