#include "atomic_file.h"
#include "document_object.h"
#include "packed_tags.h"
#include "tag_writer.h"
#include "zdxf/document.h"

namespace zdxf {

void Document::write_object(std::string& out, ObjectId id, detail::RenderedRuns& rendered) const {
  detail::AsciiStyle style;
  if (format_ == Format::Ascii) {
    // A new object looks like its neighbour; an old one like itself.
    ObjectId model = id;
    for (auto added = added_.find(model);
         added != added_.end() && added->second.style_of != kNoObject; added = added_.find(model)) {
      model = added->second.style_of;
    }
    auto [begin, end] = span(model);
    style = detail::ascii_style(std::string_view(buffer_).substr(begin, end - begin));
    style.default_int_width = style_->int_width;
  }
  detail::append_packed(out, packed(objects_[id]), span(id).first, buffer_, format_,
                        binary_code_width_, edits_->shared, style, rendered);
}

void Document::write(const std::function<void(std::string_view)>& sink) const {
  const std::string_view buffer(buffer_);
  sink(buffer.substr(0, prefix_length_));
  // Untouched neighbours lie side by side in the buffer: hand each run over in one go.
  std::size_t run_begin = 0, run_end = 0;
  auto flush = [&] {
    if (run_end > run_begin)
      sink(buffer.substr(run_begin, run_end - run_begin));
    run_begin = run_end = 0;
  };
  std::string scratch;
  detail::RenderedRuns rendered;
  for (ObjectId id : order_) {
    if (objects_[id].edit != 0) {
      flush();
      scratch.clear();
      write_object(scratch, id, rendered);
      sink(scratch);
      continue;
    }
    auto [begin, end] = span(id);
    if (run_end == begin && run_end != 0) {
      run_end = end;
    } else {
      flush();
      run_begin = begin;
      run_end = end;
    }
  }
  flush();
  sink(buffer.substr(trailer_offset_));
}

std::string Document::bytes() const {
  std::string out;
  out.reserve(buffer_.size() + buffer_.size() / 64);
  write([&out](std::string_view piece) { out.append(piece); });
  return out;
}

void Document::save(const std::string& path) const {
  detail::write_file_atomically(path, [this](const detail::ContentSink& sink) { write(sink); });
}

}  // namespace zdxf
