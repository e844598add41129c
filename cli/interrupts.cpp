#include "cli/interrupts.h"

#include <pthread.h>

#include <csignal>
#include <system_error>
#include <thread>

#include "convert/io/temporaries.h"

namespace caplift {

void removeTemporariesOnSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  bool any = false;
  for (int signal : {SIGHUP, SIGINT, SIGTERM}) {
    struct sigaction action {};
    // A shell starts background jobs with interrupts ignored; they must stay so.
    if (::sigaction(signal, nullptr, &action) == 0 && action.sa_handler != SIG_IGN) {
      sigaddset(&signals, signal);
      any = true;
    }
  }
  if (!any || ::pthread_sigmask(SIG_BLOCK, &signals, nullptr) != 0) return;
  std::thread waiter;
  try {
    waiter = std::thread([signals] {
      int signal = 0;
      while (::sigwait(&signals, &signal) != 0) {
      }
      removeTemporariesForExit();
      // Ends the process by the signal itself, so that the caller sees what ended it.
      std::signal(signal, SIG_DFL);
      sigset_t only;
      sigemptyset(&only);
      sigaddset(&only, signal);
      ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
      std::raise(signal);
    });
  } catch (const std::system_error&) {
    // Without a thread to wait for them, the signals end the process as they always did.
    ::pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);
    return;
  }
  waiter.detach();
}

}  // namespace caplift
