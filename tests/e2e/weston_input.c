// SPDX-License-Identifier: MIT
//
// tavo-weston-input: a weston module that gives a headless weston a keyboard and a pointer
// driven by a test. Debian's weston ships no test plugin, a Qt client speaks none of the
// text-input versions that weston's input-method protocol serves, and AT-SPI can press
// buttons and set texts but not press keys; so the test drives the seat itself.
//
// Load with: weston --backend=headless-backend.so --modules=/path/tavo-weston-input.so
// and TAVO_WESTON_INPUT=/path/socket in weston's environment. The module listens on that
// UNIX socket for lines, and answers each with "ok ..." or "error ...":
//   windows                 the titles of the mapped toplevel windows, "|"-separated
//   click TITLE|X|Y         a left click at (X, Y) in the window titled TITLE (its surface's
//                           coordinates); weston's shell activates the window on it
//   key CODE[+CODE...]      press the evdev key codes in turn, then release them in
//                           reverse order: "key 29+30" is Ctrl+A
//
// libweston exports the seat functions a backend uses but keeps their declarations in a
// header it does not install; they are declared below as weston 10 defines them.
#include <errno.h>
#include <stdbool.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

#include <libweston-desktop/libweston-desktop.h>
#include <libweston/libweston.h>
#include <linux/input-event-codes.h>
#include <wayland-server-core.h>

void weston_seat_init(struct weston_seat* seat, struct weston_compositor* compositor,
                      const char* seat_name);
int weston_seat_init_pointer(struct weston_seat* seat);
int weston_seat_init_keyboard(struct weston_seat* seat, struct xkb_keymap* keymap);
void notify_motion_absolute(struct weston_seat* seat, const struct timespec* time, double x,
                            double y);
void notify_button(struct weston_seat* seat, const struct timespec* time, int32_t button,
                   enum wl_pointer_button_state state);
void notify_pointer_frame(struct weston_seat* seat);
void notify_key(struct weston_seat* seat, const struct timespec* time, uint32_t key,
                enum wl_keyboard_key_state state, enum weston_key_state_update update_state);

int wet_module_init(struct weston_compositor* compositor, int* argc, char* argv[]);

enum { kMaxLine = 1024, kMaxKeys = 8 };

struct input {
    struct weston_compositor* compositor;
    struct weston_seat seat;
    int listener;
    int client;
    struct wl_event_source* client_source;
    char line[kMaxLine];
    size_t length;
};

static void reply(struct input* input, const char* text) {
    const size_t length = strlen(text);
    if (write(input->client, text, length) != (ssize_t)length ||
        write(input->client, "\n", 1) != 1) {
        weston_log("tavo-weston-input: cannot answer: %s\n", strerror(errno));
    }
}

static struct weston_view* find_window(struct input* input, const char* title) {
    struct weston_view* view;
    wl_list_for_each(view, &input->compositor->view_list, link) {
        struct weston_desktop_surface* surface = weston_surface_get_desktop_surface(view->surface);
        if (surface == NULL) continue;
        const char* name = weston_desktop_surface_get_title(surface);
        if (name != NULL && strcmp(name, title) == 0) return view;
    }
    return NULL;
}

static void list_windows(struct input* input) {
    char text[kMaxLine] = "ok ";
    struct weston_view* view;
    wl_list_for_each(view, &input->compositor->view_list, link) {
        struct weston_desktop_surface* surface = weston_surface_get_desktop_surface(view->surface);
        const char* name = surface != NULL ? weston_desktop_surface_get_title(surface) : NULL;
        if (name == NULL) continue;
        if (strlen(text) + strlen(name) + 2 >= sizeof text) break;
        if (strlen(text) > 3) strcat(text, "|");
        strcat(text, name);
    }
    reply(input, text);
}

static void click(struct input* input, char* arguments) {
    char* x_text = strchr(arguments, '|');
    char* y_text = x_text != NULL ? strchr(x_text + 1, '|') : NULL;
    if (y_text == NULL) {
        reply(input, "error: click TITLE|X|Y");
        return;
    }
    *x_text++ = '\0';
    *y_text++ = '\0';
    struct weston_view* view = find_window(input, arguments);
    if (view == NULL) {
        reply(input, "error: no window with that title");
        return;
    }
    float x = 0;
    float y = 0;
    weston_view_to_global_float(view, strtof(x_text, NULL), strtof(y_text, NULL), &x, &y);
    struct timespec time;
    weston_compositor_get_time(&time);
    notify_motion_absolute(&input->seat, &time, x, y);
    notify_pointer_frame(&input->seat);
    notify_button(&input->seat, &time, BTN_LEFT, WL_POINTER_BUTTON_STATE_PRESSED);
    notify_pointer_frame(&input->seat);
    notify_button(&input->seat, &time, BTN_LEFT, WL_POINTER_BUTTON_STATE_RELEASED);
    notify_pointer_frame(&input->seat);
    char text[64];
    snprintf(text, sizeof text, "ok %.0f %.0f", x, y);
    reply(input, text);
}

static void press_keys(struct input* input, const char* arguments) {
    uint32_t codes[kMaxKeys];
    int count = 0;
    const char* next = arguments;
    while (*next != '\0' && count < kMaxKeys) {
        char* end = NULL;
        const unsigned long code = strtoul(next, &end, 10);
        if (end == next || code == 0 || code > KEY_MAX) {
            reply(input, "error: key CODE[+CODE...]");
            return;
        }
        codes[count++] = (uint32_t)code;
        next = *end == '+' ? end + 1 : end;
        if (*end != '+' && *end != '\0') {
            reply(input, "error: key CODE[+CODE...]");
            return;
        }
    }
    struct timespec time;
    weston_compositor_get_time(&time);
    for (int i = 0; i < count; ++i) {
        notify_key(&input->seat, &time, codes[i], WL_KEYBOARD_KEY_STATE_PRESSED,
                   STATE_UPDATE_AUTOMATIC);
    }
    for (int i = count - 1; i >= 0; --i) {
        notify_key(&input->seat, &time, codes[i], WL_KEYBOARD_KEY_STATE_RELEASED,
                   STATE_UPDATE_AUTOMATIC);
    }
    reply(input, "ok");
}

static void run_line(struct input* input, char* line) {
    if (strcmp(line, "windows") == 0) {
        list_windows(input);
    } else if (strncmp(line, "click ", 6) == 0) {
        click(input, line + 6);
    } else if (strncmp(line, "key ", 4) == 0) {
        press_keys(input, line + 4);
    } else {
        reply(input, "error: unknown command");
    }
}

static void close_client(struct input* input) {
    wl_event_source_remove(input->client_source);
    input->client_source = NULL;
    close(input->client);
    input->client = -1;
    input->length = 0;
}

static int on_client(int fd, uint32_t mask, void* data) {
    struct input* input = data;
    (void)mask;
    const ssize_t got = read(fd, input->line + input->length, sizeof input->line - input->length - 1);
    if (got <= 0) {
        close_client(input);
        return 0;
    }
    input->length += (size_t)got;
    input->line[input->length] = '\0';
    char* end;
    while ((end = strchr(input->line, '\n')) != NULL) {
        *end = '\0';
        run_line(input, input->line);
        const size_t rest = input->length - (size_t)(end + 1 - input->line);
        memmove(input->line, end + 1, rest + 1);
        input->length = rest;
    }
    if (input->length == sizeof input->line - 1) {
        reply(input, "error: line too long");
        close_client(input);
    }
    return 0;
}

static int on_connect(int fd, uint32_t mask, void* data) {
    struct input* input = data;
    (void)mask;
    const int client = accept(fd, NULL, NULL);
    if (client < 0) return 0;
    if (input->client >= 0) close_client(input);  // one test at a time: the newest wins
    input->client = client;
    input->client_source =
        wl_event_loop_add_fd(wl_display_get_event_loop(input->compositor->wl_display), client,
                             WL_EVENT_READABLE, on_client, input);
    return 0;
}

WL_EXPORT int wet_module_init(struct weston_compositor* compositor, int* argc, char* argv[]) {
    (void)argc;
    (void)argv;
    const char* path = getenv("TAVO_WESTON_INPUT");
    struct sockaddr_un address = {.sun_family = AF_UNIX};
    if (path == NULL || strlen(path) >= sizeof address.sun_path) {
        weston_log("tavo-weston-input: TAVO_WESTON_INPUT must name the control socket\n");
        return -1;
    }
    strcpy(address.sun_path, path);

    struct input* input = zalloc(sizeof *input);
    if (input == NULL) return -1;
    input->compositor = compositor;
    input->client = -1;
    weston_seat_init(&input->seat, compositor, "tavo-test");
    if (weston_seat_init_pointer(&input->seat) < 0 ||
        weston_seat_init_keyboard(&input->seat, NULL) < 0) {
        weston_log("tavo-weston-input: cannot give the seat a pointer and a keyboard\n");
        return -1;
    }

    input->listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    unlink(path);
    if (input->listener < 0 ||
        bind(input->listener, (struct sockaddr*)&address, sizeof address) < 0 ||
        listen(input->listener, 1) < 0) {
        weston_log("tavo-weston-input: cannot listen on %s: %s\n", path, strerror(errno));
        return -1;
    }
    wl_event_loop_add_fd(wl_display_get_event_loop(compositor->wl_display), input->listener,
                         WL_EVENT_READABLE, on_connect, input);
    weston_log("tavo-weston-input: listening on %s\n", path);
    return 0;
}
