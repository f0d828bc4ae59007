// Run by Corvane's MSI on a real uninstall (never on an upgrade): takes away what the program
// wrote itself. Immediate, so Session and its properties are at hand.
var RUN_KEY = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";

function sameFile(a, b, fso) {
    if (a.toLowerCase() == b.toLowerCase()) return true;
    try { // Corvane writes its short path; a long one, in quotes or not, is taken too
        return fso.GetFile(a).ShortPath.toLowerCase() == fso.GetFile(b).ShortPath.toLowerCase();
    } catch (e) {
        return false;
    }
}

function removeUserState() {
    var dir = Session.Property("INSTALLDIR");
    var fso = new ActiveXObject("Scripting.FileSystemObject");
    var shell = new ActiveXObject("WScript.Shell");
    var exe = dir + "Corvane.exe";
    try {
        var run = shell.RegRead(RUN_KEY + "Corvane").replace(/^"(.*)"$/, "$1");
        if (sameFile(run, exe, fso)) shell.RegDelete(RUN_KEY + "Corvane");
    } catch (e) { /* no value: nothing to do */ }
    try {
        if (fso.FileExists(dir + "AppOpt.ini")) fso.DeleteFile(dir + "AppOpt.ini", true);
    } catch (e) { /* left behind rather than failing the uninstall */ }
    return 1; // IDOK
}
