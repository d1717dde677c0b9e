# shellcheck shell=bash
# Wine for the project's Windows programs (sourced): the one place that says how they run
# under wine, for .ci/windows.sh, its tests, .ci/wine-run.sh (through which CTest, the replay
# and corpus comparisons and fuzz/campaign.sh start them) and the campaign itself.
#
# A build's programs run in the wine prefix BUILD_DIR/wine, a copy of one made once for each
# version of wine and of the fonts and kept in the dependency cache; they find Qt's DLLs (and
# Qt its plugins beside them) and the compiler's runtime through WINEPATH. The prefix has the
# metrics of the fonts every Windows 10 and 11 machine has, through wine's own font
# replacements: a program that asks for Courier New, Arial or Times New Roman gets the
# Liberation face with the same metrics, and Tahoma is wine's own.
#
# A program in the prefix, asking for each face in bold at 16 pixels, gets (GDI's height,
# ascent, descent, and the width of "0123456789"):
#   Courier New      18 13 5 100   (without the replacements: Liberation Sans 17 14 3 90)
#   Arial            17 14 3  90
#   Times New Roman  17 14 3  80
#   Tahoma, Segoe UI 19 16 3 100

# shellcheck source=deps.sh
source "${BASH_SOURCE[0]%/*}/deps.sh"
# shellcheck source=mingw.sh
source "${BASH_SOURCE[0]%/*}/mingw.sh"

# What running the programs needs from Debian.
# shellcheck disable=SC2034 # (read by the scripts that source this file)
wine_packages=(wine64 fonts-liberation2 fonts-wine)

# Each Windows face and the face that stands in for it, as wine's replacements (HKCU\Software\
# Wine\Fonts\Replacements) give it. Segoe UI, the interface face of Windows 10 and 11, has no
# face with its metrics in Debian: Tahoma stands in, the face Windows used for the same part
# before it and the one wine draws its own dialogs in.
wine_font_replacements=(
    "Courier New=Liberation Mono"
    "Arial=Liberation Sans"
    "Times New Roman=Liberation Serif"
    "Segoe UI=Tahoma"
)

# No debug chatter, no offer to install Mono or Gecko, and no Linux desktop entries for the
# shortcuts an installer makes (wine's menu builder would write them into the user's home).
wine_dll_overrides="mscoree,mshtml=;winemenubuilder.exe=d"

# The wine loader and server: wine_programs sets wine and wineserver.
wine_programs() {
    wine=$(command -v /usr/lib/wine/wine64 || command -v wine64 || command -v wine)
    wineserver=$(command -v /usr/lib/wine/wineserver || command -v wineserver64 ||
        command -v wineserver)
}

# Makes the prefix TEMPLATE/prefix: wine's own start, then the font replacements.
make_wine_template() {
    local template=$1 replacement
    rm -rf "$template/prefix"
    export WINEPREFIX=$template/prefix
    "$wine" wineboot --init
    # Wine's own Tahoma, regular and bold, from fonts-wine: this build of wine does not look in
    # the folder that package fills, so they are linked into the prefix's font folder, where
    # Windows keeps its fonts.
    ln -sf /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf \
        "$WINEPREFIX/drive_c/windows/Fonts/"
    for replacement in "${wine_font_replacements[@]}"; do
        "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${replacement%%=*}" \
            /t REG_SZ /d "${replacement#*=}" /f
    done
    "$wineserver" -w
}

# The cached template prefix, made once: prints its folder.
wine_template() {
    local template
    # "fonts-2": the prefix holds the font replacements and Tahoma (one from before would not).
    template=$(dependency_cache wine-prefix-fonts-2 wine fonts-liberation2) || return 1
    cached_build "$template" prefix make_wine_template "$template" >&2
    echo "$template/prefix"
}

# WINEPATH for the programs of the MinGW build BUILD_DIR: Qt's DLLs (BUILD_DIR/qt-prefix, which
# mingw_dependencies links) and the compiler's runtime, which Qt's DLLs need.
wine_path_of() {
    local build=$1 folder path=""
    for folder in "$build/qt-prefix/bin" "$(mingw_runtime_folder)" "/usr/$mingw_triplet/lib"; do
        folder=$(realpath -m "$folder")
        path+="Z:${folder//\//\\};"
    done
    echo "$path"
}

# Sets up wine for the programs of the MinGW build BUILD_DIR, and exports it: WINEPREFIX (made
# from the template when missing, or anew with FRESH=1), WINEDEBUG, WINEDLLOVERRIDES, WINEPATH
# and QUILLON_WINE (the loader .ci/wine-run.sh starts them with); sets wine and wineserver.
#   wine_environment BUILD_DIR [FRESH]
wine_environment() {
    local build=$1 fresh=${2:-0} template
    wine_programs
    if [[ -z $wine || -z $wineserver ]]; then
        echo "wine is not installed (Debian's packages: ${wine_packages[*]})" >&2
        return 1
    fi
    export WINEDEBUG=-all WINEDLLOVERRIDES=$wine_dll_overrides QUILLON_WINE=$wine
    if ((fresh)) || [[ ! -d $build/wine ]]; then
        template=$(WINEPREFIX="" wine_template) || return 1
        rm -rf "$build/wine"
        cp -a "$template" "$build/wine"
    fi
    export WINEPREFIX=$build/wine
    WINEPATH=$(wine_path_of "$build")
    export WINEPATH
}
