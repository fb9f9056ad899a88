#include "CommsWindows.h"

#include "CFileDialog.h"
#include "CommsHooks.h"
#include "ConfigSheet.h"
#include "RemoteErrorDialog.h"

#include <QCursor>
#include <QGuiApplication>
#include <QThread>

void InstallCommsWindows()
{
    CommsHooks& hooks = commsHooks();
    hooks.runConfigSheet
        = [](ZorvantaMidiProcessor& processor) { return RunConfigSheet(processor); };
    hooks.addErrorText = [](const char* text) { remoteErrorDialog()->AddText(text); };
    // Only a GUI application, on its own thread, has a cursor to change.
    hooks.showBusy = [](bool busy) {
        auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
        if (!app || QThread::currentThread() != app->thread())
            return;
        if (busy)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QGuiApplication::restoreOverrideCursor();
    };
    hooks.askSaveFileName = [](const char* proposed, const char* filter) {
        CFileDialog dialog(FALSE, nullptr, proposed, 0, filter);
        if (dialog.DoModal() != static_cast<int>(IDOK))
            return CString();
        return dialog.GetPathName();
    };
    hooks.askFileName
        = [](bool open, const char* extension, const char* proposed, const char* filter) {
              CFileDialog dialog(open ? TRUE : FALSE, extension, proposed, 0, filter);
              if (dialog.DoModal() != static_cast<int>(IDOK))
                  return CString();
              return dialog.GetPathName();
          };
}
