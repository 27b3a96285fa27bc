// Control identifiers of the dialog templates in ivarscan.rc, shared by the resource
// compiler and the desktop front end (app/win32/). Plain macros, since the resource
// compiler reads them too.
#ifndef IVARSCAN_RESOURCES_RESOURCE_IDS_H_
#define IVARSCAN_RESOURCES_RESOURCE_IDS_H_

// WINPRJ: the project dialog.
#define IDC_WINPRJ_LBPRJ 100
#define IDC_WINPRJ_PBOK 101
#define IDC_WINPRJ_PBCANCEL 102
#define IDC_WINPRJ_FIXEDTEXT1 103

// WINPROGRESS: the progress dialog.
#define IDC_WINPROGRESS_PBCANCEL 100
#define IDC_WINPROGRESS_PROGRESS 101
#define IDC_WINPROGRESS_TASK 102
#define IDC_WINPROGRESS_DESCRIPTION 103
#define IDC_WINPROGRESS_ANIMATION1 104

// WARNINGS: the repository's warnings, listed in one box.
#define IDC_WARNINGS_INTRODUCTION 100
#define IDC_WARNINGS_LIST 101

#endif  // IVARSCAN_RESOURCES_RESOURCE_IDS_H_
