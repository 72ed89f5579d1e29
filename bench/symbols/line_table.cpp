#include "bench/symbols/line_table.h"

#include <vector>

#include "bench/symbols/byte_reader.h"

namespace bench {
namespace {

struct LineHeader {
  uint32_t min_instruction_length = 1, line_range = 1, opcode_base = 1;
  int line_base = 0;
  bool default_is_stmt = true;
  std::vector<uint32_t> opcode_lengths;
  std::vector<std::string> directories, files;  // the directory joined in already
  size_t program_end = 0;
};

// The state machine's registers that matter here; a row covers the addresses from its own
// to the next row's.
struct Row {
  uint64_t address = 0;
  uint32_t file = 1, line = 1;
};

void ReadFileEntry(ByteReader& r, LineHeader* h, const std::string& name) {
  uint64_t directory = r.Uleb();
  r.Uleb();  // modification time
  r.Uleb();  // length
  bool in_directory = directory > 0 && directory <= h->directories.size();
  h->files.push_back(in_directory ? h->directories[directory - 1] + "/" + name : name);
}

bool ReadHeader(ByteReader& r, LineHeader* h) {
  uint32_t length = r.U32();
  if (length >= 0xFFFFFFF0u || length > r.end() - r.position()) return false;  // 64-bit DWARF
  h->program_end = r.position() + length;
  uint32_t version = r.U16();
  if (version < 2 || version > 4) return false;
  uint32_t header_length = r.U32();
  size_t program = r.position() + header_length;
  h->min_instruction_length = r.U8();
  if (version >= 4) r.U8();  // operations per instruction: 1 on x86
  h->default_is_stmt = r.U8() != 0;
  h->line_base = static_cast<int8_t>(r.U8());
  h->line_range = r.U8();
  h->opcode_base = r.U8();
  if (h->line_range == 0 || h->opcode_base == 0) return false;
  for (uint32_t i = 1; i < h->opcode_base; ++i) h->opcode_lengths.push_back(r.U8());
  for (std::string dir; !(dir = r.CString()).empty();) h->directories.push_back(dir);
  for (std::string name; !(name = r.CString()).empty();) ReadFileEntry(r, h, name);
  r.Seek(program);
  return r.ok() && program <= h->program_end;
}

class LineSearch {
 public:
  LineSearch(const LineHeader& header, uint64_t address) : h_(header), address_(address) {}

  // Rows come in address order within a sequence; the one before the first row past the
  // address covers it.
  void Emit(const Row& row, bool end_of_sequence) {
    if (started_ && previous_.address <= address_ && address_ < row.address && !found_) {
      found_ = true;
      hit_ = previous_;
    }
    previous_ = row;
    started_ = !end_of_sequence;
  }

  bool Found(SourceLine* out) const {
    if (!found_) return false;
    out->file = hit_.file >= 1 && hit_.file <= h_.files.size() ? h_.files[hit_.file - 1] : "?";
    out->line = hit_.line;
    return true;
  }

 private:
  const LineHeader& h_;
  uint64_t address_;
  Row previous_, hit_;
  bool started_ = false, found_ = false;
};

void RunExtended(ByteReader& r, LineHeader* h, Row* row, LineSearch* search) {
  uint64_t length = r.Uleb();
  if (length == 0 || length > r.end() - r.position()) return r.Skip(length);
  size_t next = r.position() + length;
  switch (r.U8()) {
    case 1:  // end of sequence
      search->Emit(*row, true);
      *row = Row();
      break;
    case 2:  // set address; the module's addresses are 32-bit
      if (length == 5) row->address = r.U32();
      break;
    case 3:  // define file
      ReadFileEntry(r, h, r.CString());
      break;
  }
  r.Seek(next);
}

void RunStandard(ByteReader& r, uint32_t opcode, const LineHeader& h, Row* row,
                 LineSearch* search) {
  switch (opcode) {
    case 1:
      search->Emit(*row, false);
      break;
    case 2:
      row->address += r.Uleb() * h.min_instruction_length;
      break;
    case 3:
      row->line += static_cast<uint32_t>(r.Sleb());
      break;
    case 4:
      row->file = static_cast<uint32_t>(r.Uleb());
      break;
    case 8:
      row->address += (255 - h.opcode_base) / h.line_range * h.min_instruction_length;
      break;
    case 9:
      row->address += r.U16();
      break;
    default:  // column, statement flags, ISA: skipped by their operand counts
      for (uint32_t i = 0; i < h.opcode_lengths[opcode - 1]; ++i) r.Uleb();
  }
}

// Runs one unit's line program, bounded by the unit's own length.
bool SearchUnit(const std::string& section, size_t start, LineHeader* h, uint64_t address,
                SourceLine* found) {
  ByteReader r(section, start, h->program_end);
  LineSearch search(*h, address);
  Row row;
  while (!r.AtEnd()) {
    uint32_t opcode = r.U8();
    if (opcode >= h->opcode_base) {  // special: address and line advance together, a row
      uint32_t adjusted = opcode - h->opcode_base;
      row.address += adjusted / h->line_range * h->min_instruction_length;
      row.line += h->line_base + static_cast<int>(adjusted % h->line_range);
      search.Emit(row, false);
    } else if (opcode == 0) {
      RunExtended(r, h, &row, &search);
    } else {
      RunStandard(r, opcode, *h, &row, &search);
    }
  }
  return search.Found(found);
}

}  // namespace

bool FindSourceLine(const std::string& debug_line, uint64_t address, SourceLine* found) {
  ByteReader r(debug_line, 0, debug_line.size());
  while (!r.AtEnd()) {
    LineHeader header;
    if (!ReadHeader(r, &header)) return false;
    if (SearchUnit(debug_line, r.position(), &header, address, found)) return true;
    r.Seek(header.program_end);
  }
  return false;
}

}  // namespace bench
