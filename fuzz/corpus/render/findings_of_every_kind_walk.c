float deck_walk_verts[21];
int deck_walk_types[7];
int deck_walk_graph[9];

void deck_walk_init()
{
        deck_walk_count = 7;
        deck_walk_verts[0] = 1.5;
        deck_walk_verts[4] = -1.79769313486232E+308;
        deck_walk_verts[8] = 4.9E-324;
        deck_walk_verts[11] = 1E+300;
        deck_walk_verts[20] = -0.5;
        deck_walk_types[0] = 5;
        deck_walk_types[3] = 4;
        deck_walk_types[6] = 0.25;
        deck_walk_graph[0] = (0)*256 + (1);
        deck_walk_graph[1] = (1)*256 + (0);
        deck_walk_graph[2] = (2)*256 + (2);
        deck_walk_graph[3] = (3)*256 + (300);
        deck_walk_graph[4] = (-1)*256 + (4);
        deck_walk_graph[5] = (4)*256 + (5);
        deck_walk_graph[6] = (700)*256 + (800);
        deck_walk_graph[7] = (-1)*256 + (-1);
        deck_walk_graph[8] = (-1)*256 + (-1);
}
