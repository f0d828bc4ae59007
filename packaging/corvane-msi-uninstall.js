// Corvane's MSI: what the program wrote itself (its settings file, its start-with-Windows
// value), which the package does not own. Immediate actions, so Session is at hand.
var RUN_KEY = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";

function sameFile(a, b, fso) {
    if (a.toLowerCase() == b.toLowerCase()) return true;
    try { // Corvane writes its short path; a long one, in quotes or not, is taken too
        return fso.GetFile(a).ShortPath.toLowerCase() == fso.GetFile(b).ShortPath.toLowerCase();
    } catch (e) {
        return false;
    }
}

// Wine's msi leaves INSTALLDIR unresolved when it removes an older version: this package never
// installs anywhere else.
function installDir() {
    return Session.Property("INSTALLDIR") ||
           Session.Property("LocalAppDataFolder") + "Programs\\Corvane\\";
}

// An upgrade removes the older version first. Windows tells that removal it is part of an
// upgrade (UPGRADINGPRODUCTCODE), so it keeps AppOpt.ini; Wine does not, so the settings are
// set aside before it and put back after.
var KEPT = "AppOpt.ini.upgrading";
function keepSettings() {
    var fso = new ActiveXObject("Scripting.FileSystemObject"), dir = installDir();
    if (fso.FileExists(dir + "AppOpt.ini")) fso.CopyFile(dir + "AppOpt.ini", dir + KEPT, true);
    return 1;
}
function restoreSettings() {
    var fso = new ActiveXObject("Scripting.FileSystemObject"), dir = installDir();
    if (!fso.FileExists(dir + KEPT)) return 1;
    if (!fso.FileExists(dir + "AppOpt.ini")) {
        if (!fso.FolderExists(dir)) fso.CreateFolder(dir);
        fso.CopyFile(dir + KEPT, dir + "AppOpt.ini");
    }
    fso.DeleteFile(dir + KEPT, true);
    return 1;
}

// A real uninstall (not an upgrade's removal of the older version) takes both away.
function removeUserState() {
    var dir = installDir();
    var fso = new ActiveXObject("Scripting.FileSystemObject");
    var shell = new ActiveXObject("WScript.Shell");
    var exe = dir + "Corvane.exe";
    try {
        var run = shell.RegRead(RUN_KEY + "Corvane").replace(/^"(.*)"$/, "$1");
        if (sameFile(run, exe, fso)) {
            try {
                shell.RegDelete(RUN_KEY + "Corvane");
            } catch (e) { // Wine's script host lacks RegDelete: the system's reg.exe does it
                var reg = fso.BuildPath(fso.GetSpecialFolder(1).Path, "reg.exe");
                shell.Run('"' + reg + '" delete "' + RUN_KEY.slice(0, -1) + '" /v Corvane /f', 0, true);
            }
        }
    } catch (e) { /* no value: nothing to do */ }
    try {
        if (fso.FileExists(dir + "AppOpt.ini")) fso.DeleteFile(dir + "AppOpt.ini", true);
    } catch (e) { /* left behind rather than failing the uninstall */ }
    return 1; // IDOK
}
