#pragma once

#include <map>
#include <vector>

#include <QDialog>

#include "app/DialogBuilder.h"
#include "res/DialogTemplates.h"

/// A modal dialog built from a dialog template, with the classic dialog commands: Enter is
/// the OK command (it reads the controls and closes only when they read correctly) unless a
/// push button has the focus, which Enter then clicks; IDOK and IDCANCEL buttons, Escape and
/// the close box end the dialog.
class CTemplateDialog : public QDialog {
    Q_OBJECT

public:
    explicit CTemplateDialog(const DialogTemplate& layout, QWidget* parent = nullptr);

    /// Creates the controls and runs OnInitDialog, once.
    void Create();
    /// Runs the dialog modally; returns QDialog::Accepted for OK.
    int DoModal();
    /// The control with the given id, or null.
    QWidget* GetDlgItem(int id) const;

    /// Exchanges the members with the controls: controls to members when saveAndValidate is
    /// set, else members to controls. False when a control did not read correctly.
    bool UpdateData(bool saveAndValidate = true);

protected:
    /// Lets a member widget stand for a template control; call before Create.
    void Bind(int id, QWidget& widget);
    template <typename T>
    T* Control(int id) const {
        return qobject_cast<T*>(GetDlgItem(id));
    }

    /// Runs the first display exchange; true gives the focus to the first control.
    virtual bool OnInitDialog();
    virtual bool DoDataExchange(bool saveAndValidate);
    virtual void OnOK();
    /// How far the left column of a resizable dialog widens when the dialog is extraWidth
    /// pixels wider than its template (it may widen more, narrowing the controls that follow
    /// the width): none unless a dialog says otherwise.
    virtual int LeftColumnGrowth(int extraWidth) const;
    /// Places the controls for the dialog's size, as their anchors say.
    void FollowSize();

    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const DialogTemplate& m_template;
    std::map<int, QWidget*> m_bound;
    std::map<int, QWidget*> m_controls;
    std::vector<PlacedControl> m_placed;
    QSize m_templateSize;  // pixels
    bool m_created = false;
};
