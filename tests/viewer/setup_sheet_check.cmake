# The setup sheet written without a display: one A4 page whose words a machinist needs,
# and that a PDF reader turns into a picture. Run with -DVIEWER=, -DPROGRAM=, -DOUT=.
foreach(tool pdfinfo pdftotext pdftoppm pdfimages)
    find_program(${tool}_exe ${tool})
    if(NOT ${tool}_exe)
        message(FATAL_ERROR "${tool} is missing (poppler-utils; tools/install-deps.sh)")
    endif()
endforeach()

# A wizard program as a machinist edits it by hand: an unknown word and a rapid through
# the finished part, one warning of each kind.
file(MAKE_DIRECTORY "${OUT}")
file(READ "${PROGRAM}" text)
string(REGEX REPLACE "M05(\r?\n)" "G0X-20Z-30Q7\\1M05\\1" text "${text}")
set(program "${OUT}/DIS_CAP.nc")
file(WRITE "${program}" "${text}")
set(pdf "${OUT}/DIS_CAP-kurulum.pdf")
file(REMOVE "${pdf}")
set(workpiece "M:-60,-12;0,-12;0,0;-60,0|P:-60,-25;0,-25;0,-12;-60,-12|T:0,0;3,1;1,3")

# No display and no platform chosen: the sheet must not need one.
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
            --unset=QT_QPA_PLATFORM "${VIEWER}" --sheet --workpiece "${workpiece}" "${program}" "${pdf}"
    RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT EXISTS "${pdf}")
    message(FATAL_ERROR "--sheet failed (${status}): ${errors}")
endif()
# Nothing but real errors on stderr: Qt's talk about the missing display is not one.
if(NOT errors STREQUAL "")
    message(FATAL_ERROR "--sheet printed on stderr:\n${errors}")
endif()

execute_process(COMMAND "${pdfinfo_exe}" "${pdf}" OUTPUT_VARIABLE info RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT info MATCHES "Pages: +1\n" OR NOT info MATCHES "\\(A4\\)")
    message(FATAL_ERROR "not one A4 page:\n${info}")
endif()

execute_process(COMMAND "${pdftotext_exe}" "${pdf}" - OUTPUT_VARIABLE words RESULT_VARIABLE status)
set(expected
    "Kurulum föyü" "DIS_CAP.nc" "Tarih: " "Program dosyasının tarihi: " "Lehçe: genel" "Hareket: 39 (hızlı 26, ilerleme 13)"
    "İlerleme boyu: 732 mm" "Kesme süresi: 6,703 dk (6 dk 42 sn)" "Toplam süre: " "Kesme hareketlerinin alanı"
    "Ham parça (sihirbazın malzeme bloğu)" "X yarıçap (mm): -12 … 0" "İşlem: DIŞ ÇAP TORNALAMA"
    "TORNALAMA DERİNLİĞİ: 12" "TORNALAMA BOYU: 60" "DALMA MİKTARI: 1" "İLERLEME: 111"
    "İŞ MİLİ DEVİRİ: 6" "İş sıfırı: G54" "Hazırlayan" "Onaylayan" "Notlar" "Z (mm): " "Uyarılar (2)" "Satır 43 Bilinmeyen sözcük: Q7"
    "Satır 43 İş parçası: Hızlı hareket parçaya giriyor"
    # the plot's own axis words: drawn as text, not as a picture
    "X yarıçap (mm) ↑" "Z (mm) →" "ayna" "Hesaptaki hızlı ilerleme: " "Hızlı (G0)")
foreach(want IN LISTS expected)
    string(FIND "${words}" "${want}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the sheet lacks \"${want}\"; its words:\n${words}")
    endif()
endforeach()

# The plot is drawn in lines and letters: the page holds no picture at all.
execute_process(COMMAND "${pdfimages_exe}" -list "${pdf}" OUTPUT_VARIABLE images)
string(REGEX MATCHALL "\n *1 +[0-9]+ +image" pictures "${images}")
if(pictures)
    message(FATAL_ERROR "the sheet holds pictures, not lines:\n${images}")
endif()

execute_process(COMMAND "${pdftoppm_exe}" -r 60 -png -singlefile "${pdf}" "${OUT}/DIS_CAP-kurulum"
                RESULT_VARIABLE status)
file(SIZE "${OUT}/DIS_CAP-kurulum.png" bytes)
if(NOT status EQUAL 0 OR bytes LESS 10000)
    message(FATAL_ERROR "the sheet did not turn into a picture (${status}, ${bytes} bytes)")
endif()

# A shop's program with three tools: each listed in its order with its share; its number
# and name, the notes at its top, the spindle's limit and surface speeds, and the
# tool-change point far out named at the plot's edge.
set(tools_pdf "${OUT}/three_tools-kurulum.pdf")
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
            --unset=QT_QPA_PLATFORM "${VIEWER}" --sheet "${TOOLS_PROGRAM}" "${tools_pdf}"
    RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT errors STREQUAL "")
    message(FATAL_ERROR "--sheet of the three tools failed (${status}): ${errors}")
endif()
execute_process(COMMAND "${pdftotext_exe}" "${tools_pdf}" - OUTPUT_VARIABLE words)
foreach(want "Takımlar (3)" "1. T1 KABA DIS 0.8R, satır 9" "2. T2 FINIS DIS 0.4R, satır 26"
             "3. T3 KANAL 3 MM, satır 31" "O1300" "BURC - UC TAKIM, FANUC" "Program notları"
             "T2 - FINIS DIS 0.4R" "Devir sınırı: 2000 dev/dk" "Sabit kesme hızı (G96): 180, 220 m/dk"
             "Z100 X100" "Z0 X0" "Ø55 × 65 mm (tahmin)" "Hazırlayan" "Tarih:")
    string(FIND "${words}" "${want}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the three tools' sheet lacks \"${want}\"; its words:\n${words}")
    endif()
endforeach()

# More tools than one page holds: the rest go on a second page, none left out.
set(many "%\nO5000 (KIRK TAKIM)\nG21 G99\nG50 S2000\n")
foreach(tool RANGE 1 40)
    set(n "${tool}")
    if(tool LESS 10)
        set(n "0${tool}")
    endif()
    string(APPEND many "T${n}${n}\nG97 S800 M03\nG0 X50. Z2.\nG1 Z-${tool}. F0.2\nG0 X100. Z100.\n")
endforeach()
string(APPEND many "M30\n%\n")
file(WRITE "${OUT}/O5000.nc" "${many}")
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
            --unset=QT_QPA_PLATFORM "${VIEWER}" --sheet "${OUT}/O5000.nc" "${OUT}/O5000.pdf"
    RESULT_VARIABLE status ERROR_VARIABLE errors)
execute_process(COMMAND "${pdfinfo_exe}" "${OUT}/O5000.pdf" OUTPUT_VARIABLE info)
execute_process(COMMAND "${pdftotext_exe}" "${OUT}/O5000.pdf" - OUTPUT_VARIABLE words)
if(NOT status EQUAL 0 OR NOT info MATCHES "Pages: +2\n")
    message(FATAL_ERROR "forty tools are not on two pages (${status}): ${errors}\n${info}")
endif()
foreach(want "Takımlar (40)" "1. T1," "Takımlar (devam)" "40. T40," "Kurulum föyü, sayfa 2: O5000"
             "Hazırlayan")
    string(FIND "${words}" "${want}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the forty tools' sheet lacks \"${want}\"; its words:\n${words}")
    endif()
endforeach()

# A sheet that cannot be written says why, and only that.
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
            --unset=QT_QPA_PLATFORM "${VIEWER}" --sheet "${TOOLS_PROGRAM}" "${OUT}/yok/sheet.pdf"
    RESULT_VARIABLE status ERROR_VARIABLE errors)
if(status EQUAL 0 OR NOT errors MATCHES "^zivek-backplot: Kurulum föyü yazılamadı: [^\n]* Neden: klasör yok")
    message(FATAL_ERROR "a sheet in a missing folder (${status}): ${errors}")
endif()
