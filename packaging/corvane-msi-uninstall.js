// Corvane's MSI: what the program wrote itself (its settings and logs beside it, its
// start-with-Windows value), which the package does not own. Immediate actions, so Session is
// at hand. scripts/package.sh puts before this the names of the files Corvane writes: WRITTEN
// (with those of saves in progress and of older versions' copies set aside) and KEPT (the
// user's files an upgrade keeps).
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
// upgrade (UPGRADINGPRODUCTCODE), so it keeps the user's files; Wine does not, so they are set
// aside before it and put back after: outside the program's folder, which that removal empties
// (an uninstall also removes AppOpt.ini.upgrading, the copy older versions set aside in it).
function asideDir(fso) {
    return fso.BuildPath(fso.GetSpecialFolder(2).Path, "Corvane.upgrading") + "\\";
}
function keepSettings() {
    var fso = new ActiveXObject("Scripting.FileSystemObject"), dir = installDir(), aside = asideDir(fso);
    if (fso.FolderExists(aside)) fso.DeleteFolder(aside.slice(0, -1), true); // a failed upgrade's
    for (var i = 0; i < KEPT.length; i++) {
        if (!fso.FileExists(dir + KEPT[i])) continue;
        if (!fso.FolderExists(aside)) fso.CreateFolder(aside);
        fso.CopyFile(dir + KEPT[i], aside + KEPT[i], true);
    }
    return 1;
}
function restoreSettings() {
    var fso = new ActiveXObject("Scripting.FileSystemObject"), dir = installDir(), aside = asideDir(fso);
    if (!fso.FolderExists(aside)) return 1;
    for (var i = 0; i < KEPT.length; i++) {
        if (!fso.FileExists(aside + KEPT[i]) || fso.FileExists(dir + KEPT[i])) continue;
        if (!fso.FolderExists(dir)) fso.CreateFolder(dir);
        fso.CopyFile(aside + KEPT[i], dir + KEPT[i]);
    }
    fso.DeleteFolder(aside.slice(0, -1), true);
    return 1;
}

// A real uninstall (not an upgrade's removal of the older version) takes them all away.
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
    for (var i = 0; i < WRITTEN.length; i++) {
        try {
            if (fso.FileExists(dir + WRITTEN[i])) fso.DeleteFile(dir + WRITTEN[i], true);
        } catch (e) { /* left behind rather than failing the uninstall */ }
    }
    return 1; // IDOK
}
