// Captions that fit their controls: the check every window is held to, and
// the remedy for fixed-size controls (a smaller font step, then more width).
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace zarnet {

// Pixels a visible control's caption lacks (0 when it fits): buttons, check
// boxes, labels, group titles and tab names. Controls without text fit.
int CaptionShortfall(const QWidget* control);

// Every visible control under `root` (and `root` itself) whose caption does
// not fit, as "class name: text (N px short)".
QStringList ClippedCaptions(const QWidget* root);

// Gives each fixed-size control under `root` whose caption does not fit up to
// two 10 % smaller font steps, then the width it needs as far as its parent
// has room. Controls in layouts are left to their layout.
void FitCaptions(QWidget* root);

}  // namespace zarnet
