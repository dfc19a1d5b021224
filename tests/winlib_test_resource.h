// Resource identifiers of the window-layer tests; kept clear of the program's own.
#ifndef WINLIB_TEST_RESOURCE_H
#define WINLIB_TEST_RESOURCE_H

#define IDD_WINLIB_TEST        9000
#define IDC_WINLIB_TLACITKO    9001
#define IDC_WINLIB_POPISEK     9002
#define IDC_WINLIB_VLASTNI     9003

#define IDD_WINLIB_CISLA       9010
#define IDC_WINLIB_CISLO1      9011
#define IDC_WINLIB_CISLO2      9012

#endif // WINLIB_TEST_RESOURCE_H
