// velmora-gui [--screenshot FILE [--build]] [SCRIPT]
// Opens the script (a host path or an internal path) or an empty document. With --screenshot
// the window is drawn into FILE (PNG) once the script is shown, after building all pages when
// --build is given, and the program ends; questions are then answered No.
#include <QTimer>
#include <cstdio>
#include <string>

#include "app/fatal_error.h"
#include "app/settings_store.h"
#include "gui/guarded_application.h"
#include "gui/main_frame.h"
#include "gui/tool_icons.h"
#include "model/build_context.h"
#include "platform/dialogs.h"
#include "platform/drive_map.h"

namespace {
int Usage() {
  std::fprintf(stderr, "usage: velmora-gui [--screenshot FILE [--build]] [SCRIPT]\n");
  return 64;
}

int Main(int argc, char** argv) {
  velmora::CGuardedApplication app(argc, argv);
  QApplication::setApplicationName("Quarn20");
  QApplication::setOrganizationName("Tarnwick College");
  QApplication::setWindowIcon(velmora::ProgramIcon());

  std::string script, screenshot;
  bool bBuild = false;
  const QStringList args = QApplication::arguments();
  for (qsizetype i = 1; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (arg == "--screenshot" && i + 1 < args.size())
      screenshot = args[++i].toStdString();
    else if (arg == "--build")
      bBuild = true;
    else if (arg.startsWith("--") || !script.empty())
      return Usage();
    else
      script = arg.toLocal8Bit().toStdString();
  }

  velmora::CBuildContext ctx;
  ctx.threads = velmora::ThreadsWanted();
  app.SetContext(&ctx);
  if (!velmora::LoadStoredSettings(ctx))
    std::fprintf(stderr, "velmora-gui: cannot read the settings file %s\n",
                 velmora::SettingsFilePath().c_str());

  velmora::CMainFrame frame(ctx);
  frame.RestoreGeometry();
  velmora::CScriptedDialogs answersNo;
  if (!screenshot.empty())
    ctx.SetDialogs(&answersNo);
  if (!script.empty() && !frame.OpenDocument(ctx.drives.PathFromUser(script)))
    return 1;
  frame.show();

  if (!screenshot.empty()) {
    QTimer::singleShot(0, &frame, [&] {
      if (bBuild)
        frame.Action(velmora::kIdBuildAll)->trigger();
      const bool ok = frame.grab().save(QString::fromStdString(screenshot), "PNG");
      if (!ok)
        std::fprintf(stderr, "velmora-gui: cannot write %s\n", screenshot.c_str());
      QApplication::exit(ok ? 0 : 1);
    });
  }
  const int status = app.exec();
  ctx.SetDialogs(nullptr);
  app.SetContext(nullptr);
  return status;
}

}  // namespace

// An exception outside the event loop (the script opened from the command line) ends the
// program with a message and status 2.
int main(int argc, char** argv) {
  try {
    return Main(argc, argv);
  } catch (...) {
    std::fprintf(stderr, "velmora-gui: %s\n", velmora::FatalErrorText().c_str());
    return velmora::CGuardedApplication::kExitFatal;
  }
}
