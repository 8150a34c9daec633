// The main window's side of the main use: the controls the main use reads and writes, and the
// events the window hands on to it.
#include "app/look/ustring.h"
#include "app/main_window/main_window.h"

namespace quillomat {

ShownControls MainWindow::Read() const
{
    return {{c1.Colour(), c2.Colour(), c3.Colour()},
            Check3.get_active(),
            Text10.get_text(),
            Text11.get_text(),
            Text12.get_text(),
            Label5.get_text(),
            Text7.Text(),
            Text8.Text()};
}

void MainWindow::ShowArticle(const std::string& number)
{
    Label5.set_text(ToUString(number));
}

void MainWindow::ShowLinkTemplate(const std::string& text)
{
    Text7.SetText(text);
}

void MainWindow::ShowLinkCode(const std::string& text)
{
    Text8.SetText(text);
}

void MainWindow::OnGenerateClicked()
{
    mainUse_.OnGenerateClicked();
}

void MainWindow::OnCopyClicked()
{
    mainUse_.OnCopyClicked();
}

}  // namespace quillomat
