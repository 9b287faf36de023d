#include "gui/long_command.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace velmora {

namespace {
int g_nRunning = 0;  // commands may nest: the properties command interprets again
QElapsedTimer g_sinceEvents;
constexpr qint64 kEventInterval = 50;
}  // namespace

CLongCommand::CLongCommand() {
  if (g_nRunning++ == 0)
    g_sinceEvents.start();
}

CLongCommand::~CLongCommand() {
  --g_nRunning;
}

bool CLongCommand::IsRunning() {
  return g_nRunning > 0;
}

void CLongCommand::LetEventsTurn() {
  if (g_nRunning == 0 || g_sinceEvents.elapsed() < kEventInterval)
    return;
  QCoreApplication::processEvents();
  g_sinceEvents.restart();
}

}  // namespace velmora
