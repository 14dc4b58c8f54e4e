# Shared by tools/build-qt-windows and tools/build-qt-web: the parts of Qt the trainer never
# uses, switched off in both Qt builds. The trainer uses labels, push buttons, a menu bar
# with menus, and message boxes. A part switched off here that the trainer does use fails
# the trainer's build (its header or class is gone), never the program at run time.
#
#   qt_unused_features              off in both builds, as Qt's configure names them
#   qt_unused_features_but_windows  off in the browser's build only
#   qt_feature_options LIST...      the features named, as CMake options (-DFEATURE_x=OFF)
#   qt_feature_patches              the changes to Debian's source that Qt needs to build
#                                   without them

qt_unused_features=(
    # Widgets: item views and what is built on them
    columnview listwidget treewidget tablewidget datawidgetmapper completer fscompleter
    undoview
    # Widgets: the other controls
    textbrowser syntaxhighlighter datetimeedit fontcombobox calendarwidget keysequenceedit
    lcdnumber dial commandlinkbutton splitter toolbox mdiarea statusbar sizegrip
    splashscreen graphicsview graphicseffect style_stylesheet
    # Widgets: every dialog but the message box
    colordialog filedialog fontdialog progressdialog errormessage wizard
    # Gui and Core
    textmarkdownreader textmarkdownwriter textodfwriter movie systemtrayicon
    sessionmanager undocommand undostack undogroup sharedmemory systemsemaphore
    mimetype_database
)

# Windows draws the trainer in Qt's Windows Vista style, whose plugin uses these whatever the
# program shows; the browser draws it in the Fusion style, which needs none of them.
qt_unused_features_but_windows=(
    itemviews listview treeview tableview lineedit textedit inputdialog combobox spinbox
    dockwidget tabwidget
)

qt_feature_options() { # feature...
    printf -- '-DFEATURE_%s=OFF\n' "$@"
}

qt_feature_patches=("$(dirname "${BASH_SOURCE[0]}")/qt-common-style-without-item-views.patch")
