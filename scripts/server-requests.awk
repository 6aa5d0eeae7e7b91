# Reads a Wine server's trace (wineserver -d1) from a program's start and prints how many
# requests its main thread sent before it first waited for input. The main thread is the first
# to make a window of the program's own image, loaded at an executable's usual base: 0x400000
# for a 32-bit one, 0x140000000 for a 64-bit one; other processes (Wine's desktop and services)
# may make windows meanwhile. Replies ("name() = ...") are not counted.
/^[0-9a-f]+: [a-z_]+\( / {
    thread = substr($0, 1, index($0, ":") - 1)
    if (main == "" && $0 ~ /^[0-9a-f]+: create_window\( / && (index($0, "instance=00400000,") || index($0, "instance=140000000,"))) {
        main = thread
    }
    requests[thread]++
}
main != "" && index($0, main ": get_message() = PENDING") == 1 {
    print requests[main]
    found = 1
    exit
}
END {
    if (!found) {
        exit 1
    }
}
