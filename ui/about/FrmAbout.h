#pragma once

#include <QDialog>
#include <array>

class QLabel;
class TfMaindb;

// The about box: nine text lines from the language file under the product's name; any mouse
// press closes it.
class TfFrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfFrmAbout(TfMaindb& db, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TfMaindb& Db;
    QLabel* ImApp = nullptr;
    std::array<QLabel*, 9> Lines{};

    void FormShow();
    // The box ends 55 pixels below its last non-blank line among lines 6 to 9, or below line 5.
    void FitHeight();
};
