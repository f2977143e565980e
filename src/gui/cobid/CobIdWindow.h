#pragma once

#include "cobid/CobIdForm.h"

#include <QDialog>

#include <array>

class QPushButton;
class QTabWidget;

namespace zantor {
class Workspace;
class Prompter;
} // namespace zantor

namespace zantor::gui {

class CobIdGridView;
class CobIdTableModel;

// "Set CobID Access": the two COB-ID translation tables, one tab per direction.
class CobIdWindow : public QDialog {
    Q_OBJECT
public:
    CobIdWindow(Workspace& workspace, Prompter& prompter, QWidget* parent = nullptr);

    CobIdForm& form() { return form_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void LbButton1Click();
    void LbButton3Click();
    void LbButton4Click();
    void reloadGrids();
    void refreshCobIdColumns(std::size_t table);

    CobIdForm form_;
    QTabWidget* tabs_;
    std::array<CobIdTableModel*, CobIdForm::kTableCount> models_{};
    std::array<CobIdGridView*, CobIdForm::kTableCount> grids_{};
    QPushButton* compileAll_;
};

} // namespace zantor::gui
