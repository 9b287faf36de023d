#include "cli/serve_command.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <thread>

#include "app/site_session.h"
#include "cli/run_command.h"
#include "model/build_context.h"
#include "serve/preview_server.h"

namespace velmora {

int ServeCommand(CBuildContext& ctx, const CCliOptions& options) {
  // Ctrl-C and SIGTERM are taken by a thread of their own, which ends the watching through a
  // pipe; every other thread, started after this, has them blocked.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  // Each rebuild's report reaches a pipe or a log file as it is written.
  std::setvbuf(stdout, nullptr, _IOLBF, 0);

  CSiteSession probe(ctx);
  if (!LoadSession(probe, options.m_args[0]))
    return kExitCouldNotRun;
  CPreviewServer preview(ctx, ctx.drives.PathFromUser(options.m_args[0]));
  std::string error;
  if (!preview.Start(options.m_strBind.empty() ? "127.0.0.1" : options.m_strBind, options.m_nPort,
                     error)) {
    if (!error.empty())
      std::fprintf(stderr, "velmora: %s\n", error.c_str());
    return kExitCouldNotRun;
  }
  std::printf("Serving %s/ at %s (Ctrl-C to stop)\n", preview.Session().CatalogHostFolder().c_str(),
              preview.RootUrl().c_str());
  std::fflush(stdout);

  int stopPipe[2];
  if (::pipe2(stopPipe, O_CLOEXEC) != 0) {
    std::perror("velmora: pipe");
    return kExitCouldNotRun;
  }
  std::thread signalThread([&] {
    int signal = 0;
    sigwait(&signals, &signal);
    (void)!::write(stopPipe[1], "x", 1);
  });
  preview.Session().WatchAndRebuild(stopPipe[0]);
  // When watching ended on its own, the signal thread still waits: wake it.
  pthread_kill(signalThread.native_handle(), SIGTERM);
  signalThread.join();
  preview.Stop();
  ::close(stopPipe[0]);
  ::close(stopPipe[1]);
  return kExitClean;
}

}  // namespace velmora
