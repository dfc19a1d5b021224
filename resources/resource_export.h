// Resource identifiers of exporting every frame and of the clipboard commands, shared by
// their sources and animora.rc. Plain #defines only: windres reads it as well.
#ifndef ANIMORA_RESOURCE_EXPORT_H
#define ANIMORA_RESOURCE_EXPORT_H

// Commands; each has a help text of the same number in the string table.
#define ID_ANIMACE_EXPORTOVATSNIMKY 40040
#define ID_ANIMACE_KOPIROVATSNIMEK  40041
#define ID_ANIMACE_KOPIROVATSOUBOR  40042

// Texts; %1 to %3 are filled in by the program.
#define IDS_EXPORT_PREPSAT_1        20080
#define IDS_EXPORT_PREPSAT_2_4      20081
#define IDS_EXPORT_PREPSAT_5        20082
#define IDS_EXPORT_PRUBEH           20083
#define IDS_EXPORT_HOTOVO           20084
#define IDS_EXPORT_ZRUSENO          20085
#define IDS_EXPORT_SELHALO          20086
#define IDS_EXPORT_ZAVRIT           20087
#define IDS_EXPORT_SLOZKA_CHYBI     20088
#define IDS_EXPORT_ROZSAH_CHYBNY    20089
#define IDS_EXPORT_VYBER_SLOZKY     20090
#define IDS_SCHRANKA_SELHALO        20091
// The items of the frames overview's context menu, which is built by the program.
#define IDS_MENU_EXPORTOVAT         20092
#define IDS_MENU_KOPIROVAT_SNIMEK   20093
#define IDS_MENU_KOPIROVAT_SOUBOR   20094

// The export dialog and the progress window, and their controls.
#define IDD_EXPORT_SNIMKU           114
#define IDD_PRUBEH_EXPORTU          115
#define IDC_EXPORT_SLOZKA           1030
#define IDC_EXPORT_PROCHAZET        1031
#define IDC_EXPORT_FORMAT           1032
#define IDC_EXPORT_VSE              1033
#define IDC_EXPORT_ROZSAH           1034
#define IDC_EXPORT_OD               1035
#define IDC_EXPORT_PO               1036
#define IDC_EXPORT_ZPOZDENI         1037
#define IDC_PRUBEH_TEXT             1040
#define IDC_PRUBEH_UKAZATEL         1041
#define IDC_PRUBEH_HOTOVO           1042

#endif // ANIMORA_RESOURCE_EXPORT_H
