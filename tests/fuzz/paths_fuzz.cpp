// The path and address operations on arbitrary text: relative references, resolving and
// joining, the address parser, local-copy paths, node locations and the drive map. Local
// copies and host paths must stay inside their folders.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_sandbox.h"
#include "model/node.h"
#include "net/address.h"
#include "net/address_paths.h"
#include "platform/build_settings.h"
#include "platform/drive_map.h"
#include "platform/report.h"
#include "platform/strings.h"
#include "support/test_context.h"

using namespace velmora;

namespace {

const char kCatalog[] = "C:\\site\\";

// A local path made from a web address or another drive's file: below catalog\imported, with
// no piece that could climb out.
void CheckLocalCopy(const std::string& path, const std::string& below) {
  FuzzCheck(StartsWith(path, below), "a local copy lies below its folder");
  for (const std::string& piece : Split(path.substr(below.size()), "\\"))
    FuzzCheck(!piece.empty() && piece != "." && piece != "..", "a local copy has plain names");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool bReady = [] {
    CFuzzSandbox::Get().Reset();
    CFuzzSandbox::Get().Write("site/index.html", "x");
    return true;
  }();
  (void)bReady;
  if (size == 0)
    return 0;
  // The first byte switches forward slashes; the first line is one path or address, the rest
  // the other.
  TestContext().settings.AllowForwardSlashes = data[0] & 1;
  TestContext().report = CReport();  // refused locations add report lines; keep memory flat
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  const size_t lineEnd = text.find('\n');
  const std::string first = text.substr(0, lineEnd);
  const std::string second =
      lineEnd == std::string::npos ? std::string() : text.substr(lineEnd + 1);

  RelativePath(first, second);
  RelativePath(second, first);
  ResolveRelative(first, second);
  JoinAddress(first, second);
  JoinAddress(second, first);
  HasHostPart(first);
  std::string normal = first;
  NormalizeHttpAddress(normal);

  CAddress address;
  if (ParseAddress(first, address)) {
    FuzzCheck(address.m_nPort >= 0 && address.m_nPort <= 65535, "a port is a port");
    FuzzCheck(address.m_strServer.empty() || StartsWith(address.m_strObject, "/"),
              "a server's object path starts with /");
  }

  const std::string local = UrlToLocalPath(first, "C:\\site\\imported");
  if (!local.empty())
    CheckLocalCopy(local, "C:\\site\\imported\\");

  CNode node(&EmptyTestSite());
  node.m_strCatalog = kCatalog;
  if (node.SetLocation(first) && (!node.m_strUrl.empty() || !node.m_strOutsidePath.empty()))
    CheckLocalCopy(node.m_strLocalPath, std::string(kCatalog) + "imported\\");

  std::string host;
  if (TestContext().drives.ToHost(first, host))
    FuzzCheck(HostPathInside(host, CFuzzSandbox::Get().HostFolder()),
              "a path on drive C: stays in its folder");
  return 0;
}
