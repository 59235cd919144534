#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace ombrix::wizard {

// Where "Finished" hands the generated page: given the wizard window and the page text, show the
// text in the output window (loading it on first use) beside the wizard, without making it modal.
using ShowOutput = std::function<void(QWidget& wizard, const QString& pageText)>;

} // namespace ombrix::wizard
