// libFuzzer target: the page scanner on arbitrary bytes. Besides not crashing, the windowed
// marker run must agree with the run over every character, and every value handed over must
// be free of the characters that refuse a value.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "crawler/HtmlScanner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string page(reinterpret_cast<const char*>(data), size);
  std::string body = mw::Normalize(page, true, false);
  for (char c : body)
    if (static_cast<unsigned char>(c) < 32) std::abort();
  std::string plain = body;
  const bool placed = mw::PlaceMarkers(body);
  if (mw::PlaceMarkersEverywhere(plain) != placed || plain != body) std::abort();
  if (placed)
    mw::ExtractLinks(body, [] { return false; }, [](unsigned char kind, std::string_view v) {
      if (v.empty() || v.find_first_of("()+[]") != std::string_view::npos) std::abort();
      if (kind != mw::kMarkHref && kind != mw::kMarkValue && kind != mw::kMarkSrc && kind != mw::kMarkBase) std::abort();
    });
  mw::HeadSink sink;
  sink.onTitle = [](const std::string&) {};
  sink.onTag = [](const mw::TMetaTag& tag) { (void)mw::RefreshTarget(tag); };
  mw::ScanHead(page, sink);
  (void)mw::Normalize(page, false, true);
  (void)mw::ScanMetaTag(page);
  return 0;
}
