; The Windows setup program: both programs, Start menu shortcuts, an optional desktop
; shortcut, "Open with" for G-code files, and an uninstaller listed under Apps.
; Built by tools/windows/build-setup.sh, which defines VERSION, STAGE (the folder holding
; zivek-vuvev.exe and zivek-backplot.exe), ICON and OUTFILE.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!ifndef VERSION | STAGE | ICON | OUTFILE
  !error "VERSION, STAGE, ICON and OUTFILE must be defined"
!endif

!define PRODUCT "ZIVEK-VUVEV"
!define PUBLISHER "ZIVEK"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define APP_PATHS "Software\Microsoft\Windows\CurrentVersion\App Paths"
!define CLASSES "Software\Classes"
; Our own file type, the default program of a G-code type only where no program was.
!define PROGID "ZIVEK-VUVEV.GKodu"
!define VIEWER_APP "${CLASSES}\Applications\zivek-backplot.exe"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"

; As administrator: for every user, in Program Files. Otherwise: for this user only, in
; the local application data's Programs folder. /AllUsers and /CurrentUser choose on the
; command line; the uninstaller finds the mode from the Apps entry.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
; The page's texts in Turkish (NSIS has them only in English).
!define MULTIUSER_TEXT_INSTALLMODE_TITLE "Kurulum türü"
!define MULTIUSER_TEXT_INSTALLMODE_SUBTITLE "${PRODUCT} kimin için kurulsun?"
!define MULTIUSER_INNERTEXT_INSTALLMODE_TOP "${PRODUCT} programını yalnızca kendiniz için mi, yoksa bu bilgisayarın bütün kullanıcıları için mi kurmak istediğinizi seçin. Devam etmek için İleri düğmesine basın."
!define MULTIUSER_INNERTEXT_INSTALLMODE_ALLUSERS "Bu bilgisayarı kullanan herkes için kur"
!define MULTIUSER_INNERTEXT_INSTALLMODE_CURRENTUSER "Yalnızca benim için kur"
!define MULTIUSER_INIT_TEXT_ADMINREQUIRED "${PRODUCT} için yönetici yetkisi gerekiyor."
!define MULTIUSER_INIT_TEXT_POWERREQUIRED "${PRODUCT} için yönetici yetkisi gerekiyor."
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "Hesabınızın ${PRODUCT} programını bütün kullanıcılar için kurma yetkisi yok."
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_ABORTWARNING_TEXT "${PRODUCT} kurulumundan çıkmak istediğinize emin misiniz?"
!define MUI_UNABORTWARNING

!define MUI_WELCOMEPAGE_TITLE "${PRODUCT} ${VERSION} Kurulumu"
!define MUI_WELCOMEPAGE_TEXT "Bu sihirbaz iki eksenli CNC torna için G kodu programı yazan ${PRODUCT} sihirbazını ve takım yolu görüntüleyicisi zivek-backplot'u bilgisayarınıza kurar.$\r$\n$\r$\nProgramın yazdığı ALANTEMIZLEME.TXT ve A.BAT dosyaları kurulumdan ve kaldırmadan etkilenmez.$\r$\n$\r$\nDevam etmek için İleri düğmesine basın."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!define MUI_PAGE_HEADER_TEXT "Bileşenler"
!define MUI_PAGE_HEADER_SUBTEXT "Kurulacak parçaları seçin."
!define MUI_COMPONENTSPAGE_TEXT_TOP "İstemediğiniz parçaların işaretini kaldırın. Devam etmek için İleri düğmesine basın."
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_HEADER_TEXT "Kurulum klasörü"
!define MUI_PAGE_HEADER_SUBTEXT "${PRODUCT} hangi klasöre kurulsun?"
!define MUI_DIRECTORYPAGE_TEXT_TOP "${PRODUCT} aşağıdaki klasöre kurulacak. Başka bir klasör için Gözat düğmesine basın. Kurulumu başlatmak için Kur düğmesine basın."
!insertmacro MUI_PAGE_DIRECTORY
!define MUI_PAGE_HEADER_TEXT "Kuruluyor"
!define MUI_PAGE_HEADER_SUBTEXT "${PRODUCT} kurulurken lütfen bekleyin."
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE "${PRODUCT} kuruldu"
!define MUI_FINISHPAGE_TEXT "${PRODUCT} bilgisayarınıza kuruldu. Başlat menüsündeki ${PRODUCT} klasöründen açabilirsiniz.$\r$\n$\r$\nSihirbazı kapatmak için Bitir düğmesine basın."
!define MUI_FINISHPAGE_RUN "$INSTDIR\zivek-vuvev.exe"
!define MUI_FINISHPAGE_RUN_TEXT "${PRODUCT} programını şimdi aç"
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!define MUI_PAGE_HEADER_TEXT "${PRODUCT} kaldırılacak"
!define MUI_PAGE_HEADER_SUBTEXT "Programlar, kısayollar ve dosya türü kayıtları silinir."
!define MUI_UNCONFIRMPAGE_TEXT_TOP "${PRODUCT} aşağıdaki klasörden kaldırılacak. Yazdığınız G kodu dosyaları ve görüntüleyicinin ayarları yerinde kalır."
!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_PAGE_HEADER_TEXT "Kaldırılıyor"
!define MUI_PAGE_HEADER_SUBTEXT "${PRODUCT} kaldırılırken lütfen bekleyin."
!define MUI_INSTFILESPAGE_FINISHHEADER_TEXT "Kaldırma tamamlandı"
!define MUI_INSTFILESPAGE_FINISHHEADER_SUBTEXT "${PRODUCT} bilgisayarınızdan kaldırıldı."
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Turkish"

; The setup's own version information, as the programs carry theirs.
VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_TURKISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_TURKISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_TURKISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_TURKISH} "FileDescription" "${PRODUCT} ${VERSION} kurulumu"
VIAddVersionKey /LANG=${LANG_TURKISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_TURKISH} "LegalCopyright" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_TURKISH} "OriginalFilename" "zivek-vuvev-${VERSION}-setup.exe"

; A G-code type for "Open with": the viewer is added to its list; the type's default
; program becomes ours only when it has none, and the type remembers that in a value of
; its own so that the uninstaller gives back only what it took.
!macro RegisterType extension
  WriteRegStr SHCTX "${CLASSES}\${extension}\OpenWithProgids" "${PROGID}" ""
  ReadRegStr $0 HKCR "${extension}" ""
  ${If} $0 == ""
  ${OrIf} $0 == "${PROGID}"
    WriteRegStr SHCTX "${CLASSES}\${extension}" "" "${PROGID}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}\DefaultFor" "${extension}" "${PROGID}"
  ${EndIf}
!macroend

!macro UnregisterType extension
  DeleteRegValue SHCTX "${CLASSES}\${extension}\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty SHCTX "${CLASSES}\${extension}\OpenWithProgids"
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}\DefaultFor" "${extension}"
  ReadRegStr $1 SHCTX "${CLASSES}\${extension}" ""
  ${If} $0 == "${PROGID}"
  ${AndIf} $1 == "${PROGID}"
    DeleteRegValue SHCTX "${CLASSES}\${extension}" ""
  ${EndIf}
  DeleteRegKey /ifempty SHCTX "${CLASSES}\${extension}"
!macroend

Section "${PRODUCT} ve görüntüleyici" SecPrograms
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE}\zivek-vuvev.exe"
  File "${STAGE}\zivek-backplot.exe"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\zivek-vuvev.exe" "" \
      "$INSTDIR\zivek-vuvev.exe" 0 SW_SHOWNORMAL "" "CNC torna için G kodu programı yazar"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} takım yolu.lnk" \
      "$INSTDIR\zivek-backplot.exe" "" "$INSTDIR\zivek-backplot.exe" 0 SW_SHOWNORMAL "" \
      "Bir G kodu programının takım yolunu çizer"

  ; Start menu search and Run find both programs by name.
  WriteRegStr SHCTX "${APP_PATHS}\zivek-vuvev.exe" "" "$INSTDIR\zivek-vuvev.exe"
  WriteRegStr SHCTX "${APP_PATHS}\zivek-backplot.exe" "" "$INSTDIR\zivek-backplot.exe"

  ; The viewer as an application of "Open with", and our own type.
  WriteRegStr SHCTX "${VIEWER_APP}" "FriendlyAppName" "${PRODUCT} takım yolu"
  WriteRegStr SHCTX "${VIEWER_APP}\DefaultIcon" "" "$INSTDIR\zivek-backplot.exe,0"
  WriteRegStr SHCTX "${VIEWER_APP}\shell\open\command" "" '"$INSTDIR\zivek-backplot.exe" "%1"'
  WriteRegStr SHCTX "${VIEWER_APP}\SupportedTypes" ".nc" ""
  WriteRegStr SHCTX "${VIEWER_APP}\SupportedTypes" ".tap" ""
  WriteRegStr SHCTX "${VIEWER_APP}\SupportedTypes" ".ngc" ""
  WriteRegStr SHCTX "${CLASSES}\${PROGID}" "" "G kodu programı"
  WriteRegStr SHCTX "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\zivek-backplot.exe,0"
  WriteRegStr SHCTX "${CLASSES}\${PROGID}\shell\open\command" "" '"$INSTDIR\zivek-backplot.exe" "%1"'
  !insertmacro RegisterType ".nc"
  !insertmacro RegisterType ".tap"
  !insertmacro RegisterType ".ngc"

  ; The entry under Apps.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zivek-vuvev.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section /o "Masaüstü kısayolu" SecDesktop
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\zivek-vuvev.exe" "" \
      "$INSTDIR\zivek-vuvev.exe" 0 SW_SHOWNORMAL "" "CNC torna için G kodu programı yazar"
SectionEnd

; The Explorer learns of the new and the withdrawn types at once.
!define SHCNE_ASSOCCHANGED 0x08000000
!define SHCNF_IDLIST 0

Function .onInit
  !insertmacro MULTIUSER_INIT
  ; /DESKTOP on the command line adds the desktop shortcut in a silent install too.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/DESKTOP" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecDesktop} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

Function .onInstSuccess
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i ${SHCNF_IDLIST}, p 0, p 0)'
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

; Exactly what the setup wrote, by name: files the user put in the folder, the programs'
; output (ALANTEMIZLEME.TXT and A.BAT, at the root of C: or in the profile folder) and
; the viewer's settings (under Software\zivek) stay.
Section "Uninstall"
  Delete "$INSTDIR\zivek-vuvev.exe"
  Delete "$INSTDIR\zivek-backplot.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} takım yolu.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  Delete "$DESKTOP\${PRODUCT}.lnk"

  !insertmacro UnregisterType ".nc"
  !insertmacro UnregisterType ".tap"
  !insertmacro UnregisterType ".ngc"
  DeleteRegKey SHCTX "${CLASSES}\${PROGID}"
  DeleteRegKey SHCTX "${VIEWER_APP}"
  DeleteRegKey SHCTX "${APP_PATHS}\zivek-vuvev.exe"
  DeleteRegKey SHCTX "${APP_PATHS}\zivek-backplot.exe"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i ${SHCNF_IDLIST}, p 0, p 0)'
SectionEnd
