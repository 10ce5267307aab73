/* A small GTK 3 application for the delivery tests: one window with a single-line entry and a
 * multi-line text view. Whatever the two hold is written to <report>.entry and <report>.view
 * at start and after every change, so the tests can check what really arrived. */
#include <gtk/gtk.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static const char* report_path = NULL;

static void write_report(const char* suffix, const char* text)
{
    if (report_path == NULL)
        return;
    char path[4096];
    char temporary[4100];
    snprintf(path, sizeof path, "%s.%s", report_path, suffix);
    snprintf(temporary, sizeof temporary, "%s.tmp", path);
    FILE* file = fopen(temporary, "w");
    if (file == NULL)
        return;
    fputs(text, file);
    fclose(file);
    rename(temporary, path);
}

static void entry_changed(GtkEditable* editable, gpointer data)
{
    (void)data;
    write_report("entry", gtk_entry_get_text(GTK_ENTRY(editable)));
}

static void view_changed(GtkTextBuffer* buffer, gpointer data)
{
    (void)data;
    GtkTextIter start, end;
    gtk_text_buffer_get_bounds(buffer, &start, &end);
    char* text = gtk_text_buffer_get_text(buffer, &start, &end, TRUE);
    write_report("view", text);
    g_free(text);
}

int main(int argc, char** argv)
{
    const char* title = "Editor";
    const char* entry_text = "";
    const char* view_text = "";
    const char* focus = "entry";
    int select_start = -1, select_end = -1;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (strcmp(argv[i], "--title") == 0)
            title = argv[i + 1];
        else if (strcmp(argv[i], "--entry") == 0)
            entry_text = argv[i + 1];
        else if (strcmp(argv[i], "--view") == 0)
            view_text = argv[i + 1];
        else if (strcmp(argv[i], "--focus") == 0)
            focus = argv[i + 1];
        else if (strcmp(argv[i], "--report") == 0)
            report_path = argv[i + 1];
        else if (strcmp(argv[i], "--select") == 0)
            sscanf(argv[i + 1], "%d:%d", &select_start, &select_end);
    }
    gtk_init(&argc, &argv);

    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), title);
    gtk_window_set_default_size(GTK_WINDOW(window), 400, 300);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), NULL);

    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 4);
    GtkWidget* entry = gtk_entry_new();
    gtk_entry_set_text(GTK_ENTRY(entry), entry_text);
    GtkWidget* view = gtk_text_view_new();
    GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view));
    gtk_text_buffer_set_text(buffer, view_text, -1);
    gtk_box_pack_start(GTK_BOX(box), entry, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), view, TRUE, TRUE, 0);
    gtk_container_add(GTK_CONTAINER(window), box);

    g_signal_connect(entry, "changed", G_CALLBACK(entry_changed), NULL);
    g_signal_connect(buffer, "changed", G_CALLBACK(view_changed), NULL);
    write_report("entry", entry_text);
    write_report("view", view_text);

    gtk_widget_show_all(window);
    if (strcmp(focus, "view") == 0) {
        gtk_widget_grab_focus(view);
        GtkTextIter start, end;
        gtk_text_buffer_get_end_iter(buffer, &end);
        start = end;
        if (select_start >= 0) {
            gtk_text_buffer_get_iter_at_offset(buffer, &start, select_start);
            gtk_text_buffer_get_iter_at_offset(buffer, &end, select_end);
        }
        gtk_text_buffer_select_range(buffer, &end, &start);
    } else {
        gtk_widget_grab_focus(entry);
        if (select_start >= 0)
            gtk_editable_select_region(GTK_EDITABLE(entry), select_start, select_end);
        else
            gtk_editable_set_position(GTK_EDITABLE(entry), -1);
    }
    gtk_main();
    return 0;
}
