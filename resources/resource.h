// Resource identifiers shared by the program's sources and animora.rc.
// Keep this file to plain #defines: windres reads it as well as the compiler.
#ifndef ANIMORA_RESOURCE_H
#define ANIMORA_RESOURCE_H

#define IDI_ANIMORA                 101
#define IDR_HLAVNI_MENU             102
#define IDB_PANEL_NASTROJU          103
// The same toolbar pictures drawn larger, for higher DPI (20, 24 and 32 pixels).
#define IDB_PANEL_NASTROJU_20       110
#define IDB_PANEL_NASTROJU_24       111
#define IDB_PANEL_NASTROJU_32       112
#define IDR_KONTEXTOVE_MENU         105
#define IDR_MENU_RYCHLOST           108

// The program information dialog and its controls.
#define IDD_PROGRAM_INFO            104
#define IDC_APLIKACE                1002
#define IDC_VERZE                   1003
#define IDC_IKONA                   1004
#define IDC_INFO_WEB                1005
#define IDC_INFO_EMAIL              1006
#define IDC_INFO_PRAVA              1007

#define IDS_PRIPRAVEN               20001
#define IDS_TIP_EMAIL               20002
#define IDS_TIP_WEB                 20003
// Why a save did not happen; %1 and %2 are filled in by the program.
#define IDS_ULOZENI_SELHALO         20004
#define IDS_ULOZENI_NEZNAMY_FORMAT  20005
#define IDS_ULOZENI_BEZ_PRIPONY     20006
// Captions, status and information texts; %1 to %3 are filled in by the program.
#define IDS_TITULEK_PREDVOLBY       20007
#define IDS_TITULEK_O_PROGRAMU      20008
#define IDS_VERZE                   20009
#define IDS_VERZE_NEZNAMA           20010
#define IDS_PREHLED_TITULEK         20011
#define IDS_PREHLED_BEZ_OBRAZKU     20012
#define IDS_PREHLED_INFORMACE       20013
#define IDS_INFORMACE_O_SOUBORU     20014
#define IDS_RYCHLOST                20015
// Names of the file types in the open and save dialogs.
#define IDS_TYP_OBRAZKY_GIF         20016
#define IDS_TYP_VSECHNY_SOUBORY     20017
#define IDS_TYP_GRAFICKE_SOUBORY    20018
#define IDS_TYP_JPEG                20019
#define IDS_TYP_PNG                 20020
#define IDS_TYP_BITMAPY             20021
#define IDS_TYP_GIF                 20022
#define IDS_TYP_TIFF                20023
// The overview's information line for a frame whose delay the browsers' rule changed.
#define IDS_PREHLED_INFORMACE_PRAVIDLO 20100
// The list of keys: its caption (%1 is the product name) and its rows, every id from the
// first to the last one a row of "key<TAB>what it does".
#define IDS_KLAVESY_TITULEK         20030
#define IDS_KLAVESY_PRVNI           20031
#define IDS_KLAVESY_POSLEDNI        20046
// The zoom shown in the status bar; %1 is the percentage.
#define IDS_PRIBLIZENI              20060
#define IDS_PRIBLIZENI_PRIZPUSOBENO 20061

// Commands; each has a help text of the same number in the string table.
#define ID_SOUBOR_KONEC             40001
#define ID_NASTROJE_PREDVOLBY       40002
#define ID_SOUBOR_OTEVRIT           40003
#define ID_NAPOVEDA_OAPLIKACI       40004
#define ID_ANIMACE_SPUSTIT          40005
#define ID_ANIMACE_ZASTAVIT         40006
#define ID_ANIMACE_KROKVPRED        40007
#define ID_ANIMACE_KROKZPET         40008
#define ID_ANIMACE_PRERUSIT         40009
#define ID_SOUBOR_ZAVRIT            40010
#define ID_ANIMACE_ULOZITSNIMEK     40011
#define ID_NAPOVEDA_WEB             40012
#define ID_NASTROJE_PREHLEDOBRAZKU  40013
#define ID_ZOBRAZIT_ANIMACI         40014
#define ID_ZOBRAZIT_PREHLEDSNIMKU   40015
#define ID_ANIMACE_RYCHLOST         40016
#define ID_RYCHLOST_ZVYSIT          40017
#define ID_RYCHLOST_SNIZIT          40018
#define ID_RYCHLOST_VYCHOZI         40019
// How frames are timed and how often an animation plays (Animace > Časování snímků, Opakování).
#define ID_CASOVANI_PODLE_SOUBORU   40050
#define ID_CASOVANI_JAKO_PROHLIZEC  40051
#define ID_OPAKOVANI_STALE          40052
#define ID_OPAKOVANI_PODLE_SOUBORU  40053
// The list of keys (Help menu), and the moves that only the keyboard makes.
#define ID_NAPOVEDA_KLAVESY         40020
#define ID_SNIMEK_PRVNI             40021
#define ID_SNIMEK_POSLEDNI          40022
#define ID_SNIMEK_VPRED_O_DESET     40023
#define ID_SNIMEK_ZPET_O_DESET      40024
#define ID_SOUBOR_DALSI_VE_SLOZCE   40025
#define ID_SOUBOR_PREDCHOZI_VE_SLOZCE 40026
// The view: zoom, the background under transparent pixels, full screen.
#define ID_ZOBRAZIT_PRIZPUSOBIT     40030
#define ID_ZOBRAZIT_SKUTECNA        40031
#define ID_ZOBRAZIT_ZVETSIT         40032
#define ID_ZOBRAZIT_ZMENSIT         40033
#define ID_POZADI_BARVA_OKNA        40034
#define ID_POZADI_SACHOVNICE        40035
#define ID_POZADI_TMAVE             40036
#define ID_POZADI_SVETLE            40037
#define ID_POZADI_DALSI             40038
#define ID_ZOBRAZIT_CELA_OBRAZOVKA  40039

// The maker's web address: the Help menu shows it as an item's text and the
// program opens it through the shell. The two forms must name the same site.
#define ANIMORA_WEB_MENU_TEXT       "www.tarnel.cz"
#ifndef RC_INVOKED
#define ANIMORA_WEB_URL             L"https://www.tarnel.cz"
#endif

// The maker's support address, of the same domain: shown as a link, opened as "mailto:".
#define ANIMORA_EMAIL_TEXT          "podpora@tarnel.cz"
#ifndef RC_INVOKED
#define ANIMORA_EMAIL               L"podpora@tarnel.cz"
#endif

// Speed dialog and settings dialog.
#define IDD_RYCHLOST_ANIMACE        107
#define IDD_NASTAVENI               109
#define IDC_RYCHLOST_HODNOTA        1015
#define IDC_RYCHLOST_TRVALE         1016
#define IDC_NASTAVENI_RYCHLOST      1018
#define IDC_NASTAVENI_KROK          1019
#define IDC_NASTAVENI_ODKAZ         1020

// The frames overview panel: its dialog and controls.
#define IDD_PREHLED_FRAMES          106
#define IDC_PREHLED_SEZNAM          1011
#define IDC_PREHLED_INFORMACE       1012
#define IDC_PREHLED_OTEVRIT         1013
#define IDC_PREHLED_ULOZIT          1014

// The list of keys.
#define IDD_KLAVESY                 113
#define IDC_KLAVESY_SEZNAM          1021

#endif // ANIMORA_RESOURCE_H
