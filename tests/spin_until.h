// Runs the event loop until a condition holds or the time is up.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

template <typename F>
bool SpinUntil(F done, int ms = 5000) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}
