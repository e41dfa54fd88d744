#pragma once
// What the folder chooser does to the shell's folder browser once it exists: the callbacks that
// prepare it and the window procedures that take it over. Declared here so that tests can run
// them on windows of their own.
#include <windows.h>

// The browser callbacks act on BFFM_INITIALIZED only; `folder` is the path to select first.
// The data-type callback also adds the "ﾃﾞｰﾀ種別:" row.
int CALLBACK plain_browser_callback(HWND browser, UINT message, LPARAM parameter, LPARAM folder);
int CALLBACK data_browser_callback(HWND browser, UINT message, LPARAM parameter, LPARAM folder);

// Installed on the browser (plain or with the row) and on its tree view.
LRESULT CALLBACK browser_window_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK data_browser_window_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK tree_window_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The system version the browser's quirks depend on: the running system's, unless a test has
// set another (nullptr goes back to the running system's).
struct SystemVersion {
    DWORD major;
    DWORD minor;
};
SystemVersion browser_system_version();
void set_browser_system_version(const SystemVersion* version);

// The browser's tree view: inside its name-space control where there is one, else its own child.
HWND find_browser_tree(HWND browser);
