// The main window's side of the main use: the controls the main use reads and writes, and the
// events the window hands on to it.
#include "app/look/ustring.h"
#include "app/main_window/main_window.h"

namespace quillomat {

std::array<ColorValue, 3> MainWindow::SwatchColours() const
{
    return {c1.Colour(), c2.Colour(), c3.Colour()};
}

bool MainWindow::AutomaticMode() const
{
    return Check3.get_active();
}

std::string MainWindow::AddCaption() const
{
    return Text10.get_text();
}

std::string MainWindow::Separator() const
{
    return Text11.get_text();
}

std::string MainWindow::ReadCaption() const
{
    return Text12.get_text();
}

std::string MainWindow::ArticleShown() const
{
    return Label5.get_text();
}

void MainWindow::ShowArticle(const std::string& number)
{
    Label5.set_text(ToUString(number));
}

std::string MainWindow::LinkTemplate() const
{
    return Text7.Text();
}

void MainWindow::SetLinkTemplate(const std::string& text)
{
    Text7.SetText(text);
}

std::string MainWindow::LinkCode() const
{
    return Text8.Text();
}

void MainWindow::SetLinkCode(const std::string& text)
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
