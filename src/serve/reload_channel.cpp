#include "serve/reload_channel.h"

#include <chrono>

namespace velmora {

namespace {
// Reloads the page when a build newer than its own has finished, and shows the errors of the
// current build over the page. The overlay goes with the reload after the next clean build.
constexpr const char* kScriptStart = "<script>(function(){var g=";
constexpr const char* kScriptEnd =
    ",o=null,s=new EventSource(\"/__velmora/events\");"
    "s.addEventListener(\"build\",function(e){if(+e.data!==g){s.close();location.reload();}});"
    "s.addEventListener(\"errors\",function(e){if(!o){o=document.createElement(\"pre\");"
    "o.id=\"velmora-errors\";o.setAttribute(\"role\",\"alert\");"
    "o.style.cssText=\"position:fixed;left:0;right:0;top:0;z-index:2147483647;max-height:60vh;"
    "overflow:auto;margin:0;padding:1em;background:#fff0f0;color:#700;border-bottom:3px solid "
    "#c00;font:14px/1.4 monospace;white-space:pre-wrap\";"
    "(document.body||document.documentElement).appendChild(o);}"
    "o.textContent=\"Velmora: the build reported errors\\n\\n\"+e.data;});})();</script>";
}  // namespace

void CReloadChannel::Publish(std::vector<std::string> errors) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_nGeneration;
    m_errors = std::move(errors);
  }
  m_changed.notify_all();
}

long long CReloadChannel::Generation() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_nGeneration;
}

bool CReloadChannel::Wait(long long known, int nTimeoutMs, long long& generation,
                          std::vector<std::string>& errors) const {
  std::unique_lock<std::mutex> lock(m_mutex);
  m_changed.wait_for(lock, std::chrono::milliseconds(nTimeoutMs),
                     [&] { return m_bStopped || m_nGeneration != known; });
  generation = m_nGeneration;
  errors = m_errors;
  return !m_bStopped;
}

void CReloadChannel::Stop() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bStopped = true;
  }
  m_changed.notify_all();
}

std::string WithReloadScript(const std::string& html, long long generation) {
  std::string script = kScriptStart + std::to_string(generation) + kScriptEnd;
  size_t at = html.rfind("</body>");
  if (at == std::string::npos)
    at = html.rfind("</BODY>");
  if (at == std::string::npos)
    return html + script;
  std::string served = html;
  served.insert(at, script);
  return served;
}

std::string BuildEvents(long long generation, const std::vector<std::string>& errors) {
  std::string events = "event: build\ndata: " + std::to_string(generation) + "\n\n";
  if (errors.empty())
    return events;
  events += "event: errors\n";
  // A line break inside an event's data would end the line early: each report line is one
  // data line, which the browser joins with line feeds.
  for (std::string line : errors) {
    for (char& c : line)
      if (c == '\r' || c == '\n')
        c = ' ';
    events += "data: " + line + "\n";
  }
  return events + "\n";
}

}  // namespace velmora
